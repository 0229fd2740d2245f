// golden/<name>.vbs (script) or .qx (tags) and <name>.expected, one coloured run a line. QX_UPDATE_GOLDEN=1
// rewrites the expected files from what the processors give now: check each change by hand.
#include "HighlightTestSupport.h"
#include "highlight/TextDecoding.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qx::test {
namespace {

const QString kGoldenDir = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/golden/");

// Inputs whose colouring depends on CR itself or that begin with CR LF; all others must colour alike with LF.
const std::set<std::string> kLineEndSensitive = {
    "if_then_comment.vbs", "comments.vbs",       "tags.qx", "number_forms.vbs", "string_lone_cr.vbs",
    "tag_wide_char.qx",    "value_over_lines.qx"};

std::vector<std::string> goldenInputs(bool lineEndInsensitiveOnly) {
    std::vector<std::string> names;
    for (const QString& file : QDir(kGoldenDir).entryList({"*.vbs", "*.qx"}, QDir::Files, QDir::Name)) {
        if (!lineEndInsensitiveOnly || !kLineEndSensitive.count(file.toStdString()))
            names.push_back(file.toStdString());
    }
    return names;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class GoldenTest : public ::testing::TestWithParam<std::string> {
protected:
    TempSettings settings; // no per-machine word list extensions
    const QString file = QString::fromStdString(GetParam());
    const Language language = file.endsWith(QLatin1String(".qx")) ? Language::Tag : Language::Script;
    const QString input = decodeScriptFile(readFile(kGoldenDir + file));
};

TEST_P(GoldenTest, ColoursRunByRun) {
    ASSERT_FALSE(input.isEmpty()) << "cannot read " << GetParam();
    const QStringList actual = colouredRuns(input, language);
    const QString expectedPath =
        kGoldenDir + QFileInfo(file).completeBaseName() + QStringLiteral(".expected");
    if (qEnvironmentVariable("QX_UPDATE_GOLDEN") == QLatin1String("1")) {
        QFile out(expectedPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write((actual.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        GTEST_SKIP() << "rewrote " << out.fileName().toStdString();
    }
    const QStringList expected = QString::fromUtf8(readFile(expectedPath)).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(actual.join('\n').toStdString(), expected.join('\n').toStdString()) << GetParam();
}

// A golden line without its positions and with CRs dropped from its text: what LF-only input must match.
QString withoutPositions(QString line) {
    return line.section(QLatin1Char(' '), 2).replace(QLatin1String("\\r"), QString());
}

class LineEndTest : public GoldenTest {};

TEST_P(LineEndTest, LfOnlyLineEndsColourTheSameText) {
    ASSERT_TRUE(input.contains(QLatin1Char('\r')) || !input.contains(QLatin1Char('\n')));
    const QStringList crlf = colouredRuns(input, language);
    const QStringList lf = colouredRuns(QString(input).replace(QLatin1String("\r\n"), "\n"), language);
    ASSERT_EQ(crlf.size(), lf.size()) << lf.join('\n').toStdString();
    for (qsizetype i = 0; i < crlf.size(); ++i)
        EXPECT_EQ(withoutPositions(lf[i]).toStdString(), withoutPositions(crlf[i]).toStdString()) << i;
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTest, ::testing::ValuesIn(goldenInputs(false)));
INSTANTIATE_TEST_SUITE_P(Files, LineEndTest, ::testing::ValuesIn(goldenInputs(true)));

} // namespace
} // namespace qx::test

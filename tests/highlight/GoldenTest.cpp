// Golden files: tests/highlight/golden/<name>.vbs (plain script) or <name>.qx (tag markup), each with
// <name>.expected beside it, one coloured run per line. QX_UPDATE_GOLDEN=1 rewrites the expected files from
// what the processors produce now; check every change by hand before keeping it.
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

QString goldenDir() {
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/golden");
}

std::vector<std::string> goldenInputs() {
    std::vector<std::string> names;
    const QStringList files =
        QDir(goldenDir())
            .entryList({QStringLiteral("*.vbs"), QStringLiteral("*.qx")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        names.push_back(file.toStdString());
    return names;
}

// Inputs whose colouring depends on CR itself: a comment ends at CR, and so does a tag broken by a line end.
// For every other input, LF-only line ends must colour the same text the same way.
const std::set<std::string> kEndsAtCarriageReturn = {"if_then_comment.vbs", "comments.vbs", "tags.qx"};

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Language languageOf(const QString& file) {
    return file.endsWith(QLatin1String(".qx")) ? Language::Tag : Language::Script;
}

QString expectedPath(const QString& file) {
    return goldenDir() + QLatin1Char('/') + QFileInfo(file).completeBaseName() + QStringLiteral(".expected");
}

// A golden line without its positions and with CRs dropped from its text: what LF-only input must match.
QString withoutPositions(QString line) {
    line = line.section(QLatin1Char(' '), 2);
    return line.replace(QLatin1String("\\r"), QString());
}

class GoldenTest : public ::testing::TestWithParam<std::string> {
protected:
    TempSettings settings; // no per-machine word list extensions
};

TEST_P(GoldenTest, ColoursRunByRun) {
    const QString file = QString::fromStdString(GetParam());
    const QByteArray bytes = readFile(goldenDir() + QLatin1Char('/') + file);
    ASSERT_FALSE(bytes.isEmpty()) << "cannot read " << GetParam();
    const QStringList actual = colouredRuns(decodeScriptFile(bytes), languageOf(file));

    if (qEnvironmentVariable("QX_UPDATE_GOLDEN") == QLatin1String("1")) {
        QFile out(expectedPath(file));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write((actual.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        GTEST_SKIP() << "rewrote " << out.fileName().toStdString();
    }

    const QStringList expected =
        QString::fromUtf8(readFile(expectedPath(file))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i].toStdString(), expected[i].toStdString()) << GetParam() << ", run " << i;
    EXPECT_EQ(actual.size(), expected.size()) << GetParam() << ": all runs\n"
                                              << actual.join(QLatin1Char('\n')).toStdString();
}

std::vector<std::string> lineEndInsensitiveInputs() {
    std::vector<std::string> names;
    for (const std::string& name : goldenInputs()) {
        if (!kEndsAtCarriageReturn.count(name))
            names.push_back(name);
    }
    return names;
}

class LineEndTest : public GoldenTest {};

TEST_P(LineEndTest, LfOnlyLineEndsColourTheSameText) {
    const QString file = QString::fromStdString(GetParam());
    QString text = decodeScriptFile(readFile(goldenDir() + QLatin1Char('/') + file));
    ASSERT_TRUE(text.contains(QLatin1Char('\r')) || !text.contains(QLatin1Char('\n')));
    const QStringList crlf = colouredRuns(text, languageOf(file));
    const QStringList lf =
        colouredRuns(text.replace(QLatin1String("\r\n"), QLatin1String("\n")), languageOf(file));
    ASSERT_EQ(crlf.size(), lf.size()) << lf.join(QLatin1Char('\n')).toStdString();
    for (qsizetype i = 0; i < crlf.size(); ++i)
        EXPECT_EQ(withoutPositions(lf[i]).toStdString(), withoutPositions(crlf[i]).toStdString())
            << "run " << i;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    return testNameOf(info.param);
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTest, ::testing::ValuesIn(goldenInputs()), testName);
INSTANTIATE_TEST_SUITE_P(Files, LineEndTest, ::testing::ValuesIn(lineEndInsensitiveInputs()), testName);

} // namespace
} // namespace qx::test

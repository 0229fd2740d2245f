// Colours every file of the real-script corpus (QX_CORPUS_DIR) with both processors and checks that each
// pass ends, colours the whole text and leaves the text, the selection and the scroll position alone.
#include "HighlightTestSupport.h"
#include "highlight/TextDecoding.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "support/TempSettings.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#include <set>

namespace qx::test {
namespace {

std::vector<std::string> corpusFiles() {
    std::vector<std::string> files;
    QDirIterator it(QStringLiteral(QX_CORPUS_DIR), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.push_back(it.next().toStdString());
    std::sort(files.begin(), files.end());
    return files;
}

// Every colour a pass may leave: the plain black it starts from and the processors' own.
const std::set<Colour> kPassColours = {
    0,
    clsVBSyntaxHighlight::StringColour,
    clsVBSyntaxHighlight::CommentColour,
    clsVBSyntaxHighlight::LabelColour,
    clsVBSyntaxHighlight::NumberColour,
    clsVBSyntaxHighlight::KeywordColour,
    clsVBSyntaxHighlight::HostWordColour,
    clsVBSyntaxHighlight::OperatorColour,
    clsQXSyntaxHighlight::DefaultTagColour,
    clsQXSyntaxHighlight::DefaultEncodeColour,
    clsQXSyntaxHighlight::DefaultQuoteColour,
};

constexpr CharFormat kStale{0x00123456, true, true, kNoBackColor};

class CorpusTest : public ::testing::TestWithParam<std::string> {
    TempSettings settings;
};

// The corpus lives beside the repository, in the team's shared folder; a checkout without it skips.
TEST(Corpus, IsThere) {
    if (!QDir(QStringLiteral(QX_CORPUS_DIR)).exists())
        GTEST_SKIP() << "no corpus at " << QX_CORPUS_DIR;
    EXPECT_GT(corpusFiles().size(), 200u) << "QX_CORPUS_DIR: " << QX_CORPUS_DIR;
}
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusTest);

TEST_P(CorpusTest, BothProcessorsColourTheWholeTextAndPutTheBoxBack) {
    QFile file(QString::fromStdString(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = decodeScriptFile(file.readAll());
    for (Language language : {Language::Script, Language::Tag}) {
        MemoryCodeBox box;
        box.setText(text);
        box.SelectRange(0, -1);
        box.SetCharFormat({.Color = kStale.Color, .Bold = true, .Italic = true});
        const int selStart = int(text.size()) / 3, selLength = int(text.size()) / 5;
        box.SelectRange(selStart, selStart + selLength);
        box.SetScrollPos({7, 42});

        colourBox(box, language);

        EXPECT_EQ(box.Text(), text);
        EXPECT_EQ(box.SelStart(), selStart);
        EXPECT_EQ(box.SelLength(), selLength);
        EXPECT_EQ(box.GetScrollPos(), (ScrollPos{7, 42}));
        EXPECT_TRUE(box.Visible());
        for (const FormatRuns::Run& run : box.formats().runs()) {
            ASSERT_TRUE(kPassColours.count(run.format.Color) && !run.format.Bold && !run.format.Italic &&
                        run.format.BackColor == kNoBackColor)
                << (language == Language::Script ? "script" : "tag") << " pass left " << std::hex
                << run.format.Color << " at " << std::dec << run.start << ".." << run.end;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusTest, ::testing::ValuesIn(corpusFiles()), [](const auto& info) {
    return testNameOf(std::to_string(info.index) + "_" +
                      QFileInfo(QString::fromStdString(info.param)).completeBaseName().toStdString());
});

} // namespace
} // namespace qx::test

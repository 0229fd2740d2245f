// Colours every corpus file with both processors: each pass ends, replaces every stale format and leaves the
// text, the selection and the scroll position alone.
#include "HighlightTestSupport.h"
#include "highlight/TextDecoding.h"
#include "support/SampleTexts.h"
#include "support/TempSettings.h"

#include <QFile>
#include <gtest/gtest.h>

namespace qx::test {
namespace {

TEST(Corpus, BothProcessorsColourTheWholeTextAndPutTheBoxBack) {
    const TempSettings settings;
    const QStringList files = corpusFiles();
    if (files.isEmpty())
        GTEST_SKIP() << "no corpus at " << QX_CORPUS_DIR;
    for (const QString& path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = decodeScriptFile(file.readAll());
        for (Language language : {Language::Script, Language::Tag}) {
            SCOPED_TRACE(path.toStdString() + (language == Language::Script ? " as script" : " as tags"));
            MemoryCodeBox box;
            box.setText(text);
            box.SelectRange(0, -1); // a stale format the pass must replace everywhere
            box.SetCharFormat({.Color = 0x00123456, .Bold = true, .Italic = true});
            const int selStart = int(text.size()) / 3, selLength = int(text.size()) / 5;
            box.SelectRange(selStart, selStart + selLength);
            box.SetScrollPos({7, 42});

            colourBox(box, language);

            ASSERT_EQ(box.Text(), text);
            EXPECT_TRUE(box.SelStart() == selStart && box.SelLength() == selLength && box.Visible());
            EXPECT_EQ(box.GetScrollPos(), (ScrollPos{7, 42}));
            for (const FormatRuns::Run& run : box.formats().runs()) {
                ASSERT_TRUE(run.format.Color != 0x00123456 && !run.format.Bold && !run.format.Italic &&
                            run.format.BackColor == kNoBackColor)
                    << "left " << std::hex << run.format.Color << " at " << std::dec << run.start << ".."
                    << run.end;
            }
        }
    }
}

} // namespace
} // namespace qx::test

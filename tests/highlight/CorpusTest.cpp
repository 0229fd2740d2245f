// Colours every corpus file with both processors: each pass ends, replaces every stale format and leaves the
// text, the selection and the scroll position alone.
#include "HighlightTestSupport.h"
#include "highlight/TextDecoding.h"
#include "highlight/clsSyntaxHighlight.h"
#include "support/SampleTexts.h"
#include "support/TempSettings.h"

#include <QFile>
#include <gtest/gtest.h>

#include <random>

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

            // A pass that records line states reads the text in stretches and lets go of what it passed:
            // its colours are those of the pass over a copy of the whole text.
            MemoryCodeBox recorded;
            recorded.setText(text);
            LineStates lines;
            colourBox(recorded, language, &lines);
            ASSERT_EQ(recorded.formats().runs(), box.formats().runs());
        }
    }
}

// A script value many stretches long is coloured when it closes, from its start: the pass that reads in
// stretches keeps all of it.
TEST(Corpus, ALongScriptValueIsColouredFromItsStart) {
    const TempSettings settings;
    const QString text = "<QX:VBS>\r\nresult=\"" +
                         QString("If x Then y = \"\"a\"\" ' note\r\n").repeated(2000) + "\":\r\n</QX>\r\n" +
                         QString("<b>text</b>\r\n").repeated(2000);
    MemoryCodeBox whole, recorded;
    whole.setText(text);
    recorded.setText(text);
    colourBox(whole, Language::Tag);
    LineStates lines;
    colourBox(recorded, Language::Tag, &lines);
    EXPECT_EQ(recorded.formats().runs(), whole.formats().runs());
    EXPECT_NE(recorded.formats().at(int(text.indexOf("If"))).Color, recorded.formats().at(9).Color)
        << "the value's first keyword has the script's colours";
}

// Hands a processor one character at a time, so that it never skips what goes on alike.
template <class Processor> class OneByOne final : public SyntaxProcessor {
public:
    void ProcessChar(int ch, clsSyntaxHighlight& engine) override { mInner.ProcessChar(ch, engine); }

private:
    Processor mInner;
};

// Text pieced together from what changes either processor's state, wide characters and NULs among.
QString mixedText(std::mt19937& random) {
    static const QStringList pieces =
        QStringLiteral(
            "<QX:VBS>|<qx:script>|</QX>|<QX:LONGERTHANTEN a=\"b\">|<b>|<|>|result=\"|Eval =|\":|\"|"
            "\"\"|~64\"|~6|~|QUJD|\r\n|\n|\r| |\t|x|If a Then|' c|\u00e9|\u20ac|word|=|1.5E3|&H1F|.|:|"
            "Database.|(x, 2)")
            .split(u'|')
        << QString(QChar(0));
    QString text;
    for (int i = 0; i < 400; ++i)
        text += pieces[int(random() % pieces.size())];
    return text;
}

template <class Processor> void expectSkippingColoursAsEach(const QString& text) {
    MemoryCodeBox each, skipping, recorded;
    for (MemoryCodeBox* box : {&each, &skipping, &recorded})
        box->setText(text);
    OneByOne<Processor> oneByOne;
    clsSyntaxHighlight().ProcessSyntax(each, oneByOne);
    Processor walking, byLine;
    clsSyntaxHighlight().ProcessSyntax(skipping, walking);
    LineStates lines;
    clsSyntaxHighlight().ProcessSyntax(recorded, byLine, false, &lines);
    EXPECT_EQ(skipping.formats().runs(), each.formats().runs()) << text.left(300).toStdString();
    EXPECT_EQ(recorded.formats().runs(), each.formats().runs()) << text.left(300).toStdString();
}

// Both processors skip the characters that only go on with what they are in (a tag name, an area, a value,
// a string, a comment, plain text or blanks): they colour as they would looking at each.
TEST(Corpus, SkippingWhatGoesOnAlikeColoursAsEachCharacterWould) {
    const TempSettings settings;
    std::mt19937 random(20261208);
    QStringList texts;
    for (int i = 0; i < 300; ++i)
        texts << mixedText(random);
    for (const QString& path : corpusFiles()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            texts << decodeScriptFile(file.readAll());
    }
    for (const QString& text : texts) {
        expectSkippingColoursAsEach<clsQXSyntaxHighlight>(text);
        expectSkippingColoursAsEach<clsVBSyntaxHighlight>(text);
        if (::testing::Test::HasFailure())
            break;
    }
}

} // namespace
} // namespace qx::test

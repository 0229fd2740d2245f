// The caret's encoded and RTF state read from the marker indexes answers as the whole text does, after edits.
#include "encoded/EncodedAreas.h"
#include "platform/memory/MemoryCodeBox.h"
#include "support/SampleTexts.h"
#include "text/MarkerIndex.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace qx {
namespace {

using EncodedAreas::kEncodedMarker;
using EncodedAreas::kRtfMarker;

// The RTF rule on the whole text: from the last RTF marker before the caret the first quote, "<" or ":" is a
// quote.
bool rtfFromWholeText(QStringView text, int caret) {
    if (caret <= 4 || caret > text.size() || text.first(caret).lastIndexOf(kRtfMarker) < 0)
        return false;
    const auto end = std::find_if(text.begin() + text.first(caret).lastIndexOf(kRtfMarker) + 5, text.end(),
                                  [](QChar c) { return c == u'"' || c == u'<' || c == u':'; });
    return end != text.end() && *end == u'"';
}

// A box whose edits keep both indexes in step, as the controller's Edited does.
class CaretStateTest : public ::testing::Test, public CodeBoxEvents {
protected:
    CaretStateTest() { setEvents(box, this); }
    ~CaretStateTest() override { setEvents(box, nullptr); }
    void Edited(int position, const QString& removed, int added) override {
        encoded.Edited(box, position, int(removed.size()), added);
        rtf.Edited(box, position, int(removed.size()), added);
    }

    MemoryCodeBox box;
    MarkerIndex encoded{kEncodedMarker.toString()};
    MarkerIndex rtf{kRtfMarker.toString()};
    QRandomGenerator random{11};

    int pick(int bound) { return int(random.bounded(qMax(bound, 1))); }

    // Pieces that make, split and close encoded areas and RTF values; long Base64 runs make the reads
    // cross their chunks.
    QString piece(const QString& source) {
        static const QStringList pieces = QStringList{kEncodedMarker.toString(), kRtfMarker.toString()} +
                                          QStringLiteral("\"|<|:|=~64|{\\rtf1|\r\n|x|").split(u'|');
        const int kind = pick(4);
        return kind == 0   ? QString(pick(1200), u'Q')
               : kind == 1 ? source.mid(pick(int(source.size())), pick(60))
                           : pieces[pick(int(pieces.size()))];
    }

    void check(int caret) {
        const QString text = box.Text();
        ASSERT_EQ(EncodedAreas::CaretInEncodedArea(box, caret, encoded.LastBefore(box, caret)),
                  EncodedAreas::CaretInEncodedArea(text, caret))
            << "encoded area at " << caret << " of " << text.size();
        ASSERT_EQ(EncodedAreas::CaretAfterRtfValue(box, caret, rtf.LastBefore(box, caret)),
                  rtfFromWholeText(text, caret))
            << "RTF value at " << caret << " of " << text.size();
    }

    void run(const QString& source, int edits) {
        box.setText(source);
        for (int round = 0; round < edits && !HasFatalFailure(); ++round) {
            const int length = box.TextLength();
            const int position = pick(length + 1);
            const QString inserted = piece(source);
            box.SelectRange(position, qMin(length, position + pick(13)));
            box.setSelText(inserted);
            const int end = position + int(inserted.size());
            for (int caret = position - 8; caret <= end + 8;
                 caret += caret < position || caret >= end ? 1 : 97)
                check(caret);
            for (int i = 0; i < 8; ++i)
                check(pick(box.TextLength() + 2));
        }
    }
};

TEST_F(CaretStateTest, AnswersAsTheWholeTextDoesOnCorpusAndGeneratedTexts) {
    QStringList texts = test::corpusTexts(8);
    for (const char* name : {"tag_1mb.qx", "script_1mb.vbs"})
        texts << test::generatedText(QLatin1String(name));
    texts.removeAll(QString());
    if (texts.isEmpty())
        GTEST_SKIP() << "no corpus at " << QX_CORPUS_DIR << " and no generated texts";
    for (const QString& text : texts) {
        if (HasFatalFailure())
            return;
        run(text, text.size() > 100000 ? 60 : 40);
    }
}

} // namespace
} // namespace qx

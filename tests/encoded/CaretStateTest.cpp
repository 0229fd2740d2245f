// The caret's encoded and RTF state read near the caret, from the marker indexes, must answer as the
// whole-text reading does: checked after random edits of real and generated texts, at carets around each
// edit and anywhere.
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

// The RTF rule read from the whole text: the last RTF marker wholly before the caret, then the first
// quote, "<" or ":" from inside it on must be a quote.
bool rtfFromWholeText(QStringView text, int caret) {
    if (caret <= 4 || caret > text.size())
        return false;
    const qsizetype marker = text.first(caret).lastIndexOf(kRtfMarker);
    if (marker < 0)
        return false;
    for (qsizetype i = marker + 5; i < text.size(); ++i) {
        if (text[i] == u'"')
            return true;
        if (text[i] == u'<' || text[i] == u':')
            return false;
    }
    return false;
}

// A box whose edits keep both indexes in step, as the controller's Edited does.
class IndexedBox final : public CodeBoxEvents {
public:
    IndexedBox() { setEvents(box, this); }
    ~IndexedBox() override { setEvents(box, nullptr); }
    void Edited(int position, const QString& removed, int added) override {
        encoded.Edited(box, position, int(removed.size()), added);
        rtf.Edited(box, position, int(removed.size()), added);
    }

    MemoryCodeBox box;
    MarkerIndex encoded{kEncodedMarker.toString()};
    MarkerIndex rtf{kRtfMarker.toString()};
};

class CaretStateTest : public ::testing::Test {
protected:
    QRandomGenerator random{11};

    int pick(int bound) { return int(random.bounded(qMax(bound, 1))); }

    // Pieces that make, split and close encoded areas and RTF values; long Base64 runs make the reads
    // cross their chunks.
    QString piece(const QString& source) {
        static const QStringList pieces = {kEncodedMarker.toString(),
                                           kRtfMarker.toString(),
                                           "\"",
                                           "<",
                                           ":",
                                           "=~64",
                                           "{\\rtf1",
                                           "\r\n",
                                           "x",
                                           ""};
        switch (pick(4)) {
        case 0:
            return QString(pick(1200), u'Q');
        case 1:
            return source.mid(pick(int(source.size())), pick(60));
        default:
            return pieces[pick(int(pieces.size()))];
        }
    }

    void check(IndexedBox& indexed, int caret) {
        const QString text = indexed.box.Text();
        MemoryCodeBox& box = indexed.box;
        ASSERT_EQ(EncodedAreas::CaretInEncodedArea(box, caret, indexed.encoded.LastBefore(box, caret)),
                  EncodedAreas::CaretInEncodedArea(text, caret))
            << "encoded area at " << caret << " of " << text.size();
        ASSERT_EQ(EncodedAreas::CaretAfterRtfValue(box, caret, indexed.rtf.LastBefore(box, caret)),
                  rtfFromWholeText(text, caret))
            << "RTF value at " << caret << " of " << text.size();
    }

    void run(const QString& source, int edits) {
        IndexedBox indexed;
        indexed.box.setText(source);
        for (int round = 0; round < edits; ++round) {
            const int length = indexed.box.TextLength();
            const int position = pick(length + 1);
            const QString inserted = piece(source);
            indexed.box.SelectRange(position, qMin(length, position + pick(13)));
            indexed.box.setSelText(inserted);
            const int end = position + int(inserted.size());
            for (int caret = position - 8; caret <= end + 8;
                 caret += caret < position || caret >= end ? 1 : 97)
                check(indexed, caret);
            for (int i = 0; i < 8; ++i)
                check(indexed, pick(indexed.box.TextLength() + 2));
            if (HasFatalFailure())
                return;
        }
    }
};

TEST_F(CaretStateTest, AnswersAsTheWholeTextDoesOnCorpusFiles) {
    const QStringList texts = test::corpusTexts(8);
    if (texts.isEmpty())
        GTEST_SKIP() << "no corpus at " << QX_CORPUS_DIR;
    for (const QString& text : texts) {
        run(text, 40);
        if (HasFatalFailure())
            return;
    }
}

TEST_F(CaretStateTest, AnswersAsTheWholeTextDoesOnGeneratedTexts) {
    int found = 0;
    for (const char* name : {"tag_1mb.qx", "script_1mb.vbs"}) {
        const QString text = test::generatedText(QLatin1String(name));
        if (text.isNull())
            continue;
        ++found;
        run(text, 60);
        if (HasFatalFailure())
            return;
    }
    if (found == 0)
        GTEST_SKIP() << "no generated texts (build the target qx_bench_texts)";
}

} // namespace
} // namespace qx

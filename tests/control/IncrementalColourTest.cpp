// After random user and host edits, new values and steps through encoded values, the colours kept up from
// the edits equal a whole pass, and Undo and Redo walk exactly the texts and carets each step had.
#include "support/ControllerFixture.h"
#include "support/SampleTexts.h"

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/TextDecoding.h"
#include "platform/KeyCodes.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace qx::test {
namespace {

struct Shot {
    QString text;
    int caret = 0;
    bool operator==(const Shot&) const = default;
    friend void PrintTo(const Shot& s, std::ostream* os) { *os << s.caret << " in " << s.text.toStdString(); }
};

// A corpus file, a generated text (by name), or a short text (so Undo reaches the start) with a seed.
struct Sample {
    std::string name;
    QString path;
    quint32 seed;
    friend void PrintTo(const Sample& s, std::ostream* os) { *os << s.name; }
};

std::vector<Sample> samples() {
    std::vector<Sample> all;
    for (const QString& path : corpusFiles(19)) {
        std::string name = QFileInfo(path).fileName().toStdString();
        for (char& c : name)
            c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
        all.push_back(
            {name + "_" + std::to_string(all.size()), path, quint32(qHash(QFileInfo(path).fileName()))});
    }
    for (const char* name : {"script_1mb.vbs", "tag_1mb.qx"})
        all.push_back({std::string("generated_") + (name[0] == 's' ? "script" : "tag"), name, 7});
    for (quint32 seed = 1; seed <= 6; ++seed)
        all.push_back({"small_" + std::to_string(seed), QString(), seed});
    return all;
}

// Pieces that change colours far below them: quotes, comment marks, tag and encoded-value markers.
const QStringList kPieces = {"\"",   "'", "<QX:SCRIPT>", "</QX>", "<QX:VBS>", "\":",   "Result=\"",   "~64\"",
                             "\r\n", "<", ">",           "~",     " ",        "1.5E3", "=~64\"QUJD\""};

// Fires the delayed pass and compares every character's format with a whole pass over the same text.
class ColourFixture : public ControllerFixture {
protected:
    void expectWholePassColours(const char* when, int round = 0) {
        highlightTimer.fire();
        MemoryCodeBox reference;
        reference.setText(box.Text());
        ColourText(reference, control.EffectiveCodeType(), state.mlTagColour, state.mlEncodeColour);
        QStringList differences;
        box.formats().forEachDifference(reference.formats(), [&](int start, int end) {
            differences << QString("[%1, %2) %3").arg(start).arg(end).arg(box.Text().mid(start, 30));
        });
        ASSERT_TRUE(differences.isEmpty())
            << when << " " << round << ": " << differences.join("; ").toStdString();
    }
};

class IncrementalColourTest : public ColourFixture, public ::testing::WithParamInterface<Sample> {
protected:
    QRandomGenerator random{GetParam().seed};
    QString source;                  // the text, for fragments to paste
    QList<QList<Shot>> expected{{}}; // per open level: one shot per step on its undo stack
    QList<Shot> entered;             // per level stepped into: the outer text, caret at the area

    int pick(int bound) { return int(random.bounded(qMax(bound, 1))); }
    Shot now() const { return {box.Text(), box.SelStart()}; }
    QString fragment() { return source.mid(pick(int(source.size())), 1 + pick(200)); }
    QString piece() { return kPieces[pick(int(kPieces.size()))]; }

    void randomEdit() {
        box.setSelStart(pick(int(box.Text().size()) + 1));
        box.setSelLength(pick(3) == 0 ? pick(40) : pick(2));
        const Shot before = now();
        const int steps = state.mpcUndo->Count();
        const int level = int(expected.size());
        const int kind = pick(12);
        if (kind < 3) {
            box.typeText(QString(QChar(u"a\"'<>~: 1\r("[pick(11)])));
        } else if (kind == 3) {
            box.pressKey(pick(2) ? VK_BACK : VK_DELETE);
        } else if (kind == 4) {
            clipboard.setText(fragment());
            menu.choose("mnuPaste");
        } else if (kind < 7) {
            control.SetSelText(piece()); // the host's: joins the pending step
        } else if (kind == 7) {
            if (pick(3) == 0)
                control.setValue(fragment() + piece() + fragment());
            else
                control.SetSelText("~64\"" + QString::fromLatin1(encodedScript) + "\"");
        } else if (kind == 8) {
            stepIn();
        } else if (kind == 9) {
            if (level > 1)
                pick(2) ? control.GoBack() : box.pressKey(VK_LEFT, kAltMask);
        } else {
            box.pressKey(VK_TAB, pick(2) ? kShiftMask : 0);
        }
        // Keep the popups out of the way, as a user who ignores them would.
        control.HideList();
        control.HideTip();
        if (state.mlLevel != level)
            return followLevel();
        ASSERT_LE(state.mpcUndo->Count(), steps + 1) << "one action, one step";
        if (state.mpcUndo->Count() == steps + 1)
            expected.last().append(before);
    }

    // A little script, encoded, for steps in and out.
    const QByteArray encodedScript = QByteArray("Dim s\r\ns = \"<QX:x>\" ' note\r\n").toBase64();

    void stepIn() {
        const int at = int(box.Text().indexOf(QLatin1String("~64\""), pick(int(box.Text().size()))));
        if (at < 0)
            return;
        box.setSelStart(at + 5);
        const Shot outer{box.Text(), at + 4};
        control.EditEncoded();
        if (state.mlLevel > int(expected.size()))
            entered.append(outer);
    }

    // Stepping out of an edited value is a step of the outer level; a host's new value drops the levels.
    void followLevel() {
        const bool oneBack = int(expected.size()) == state.mlLevel + 1;
        while (int(expected.size()) > state.mlLevel) {
            expected.removeLast();
            const Shot outer = entered.takeLast();
            if (oneBack && state.mpcUndo->Count() == expected.last().size() + 1)
                expected.last().append(outer);
        }
        while (int(expected.size()) < state.mlLevel)
            expected.append(QList<Shot>());
    }
};

TEST_P(IncrementalColourTest, ColoursFromTheEditsEqualAWholePassAndUndoWalksBackExactly) {
    const Sample& sample = GetParam();
    if (sample.path.isEmpty()) {
        source = "Dim a\r\n  b = \"<QX:x>y</QX>\"\r\nc";
    } else if (QFile file(sample.path); file.open(QIODevice::ReadOnly)) {
        source = decodeScriptFile(file.readAll());
    } else {
        source = generatedText(sample.path);
        if (source.isNull())
            GTEST_SKIP() << "no generated " << sample.name << " (build the target qx_bench_texts)";
        source = source.mid(source.size() / 2, 30000); // a slice: the whole text is for the benchmarks
    }
    const bool script = sample.path.endsWith(".vbs") || (sample.path.isEmpty() && sample.seed % 2);
    control.setCodeType(script ? CodeTypes::VB : CodeTypes::Kelvane);
    setValue(source, int(source.size() / 2));

    for (int round = 0; round < 80; ++round) {
        ASSERT_NO_FATAL_FAILURE(randomEdit());
        if (pick(3) != 0) // otherwise the next edit joins this one before the pass
            expectWholePassColours("edit", round);
    }
    while (state.mlLevel > 1) {
        control.GoBack();
        followLevel();
    }
    expectWholePassColours("back out", 0);

    QList<Shot>& steps = expected.first();
    ASSERT_FALSE(steps.isEmpty());
    QList<Shot> forward;
    while (!steps.isEmpty()) {
        forward.append(now());
        control.Undo();
        ASSERT_EQ(now(), steps.takeLast()) << "undo step " << forward.size();
        expectWholePassColours("undo", int(forward.size()));
    }
    while (!forward.isEmpty()) {
        control.Redo();
        ASSERT_EQ(now(), forward.takeLast()) << "redo, " << forward.size() << " left";
        expectWholePassColours("redo", int(forward.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, IncrementalColourTest, ::testing::ValuesIn(samples()),
                         [](const auto& info) { return info.param.name; });

// A tag that began at the second character coloured the first too; once it is no tag, that colour goes.
TEST_F(ColourFixture, ARunFromTheFirstLineStartReachesBackToTheTextStart) {
    control.setCodeType(CodeTypes::Kelvane);
    setValue("\n</Qf unsafe\r\nx", 0);
    box.SelectRange(8, 10);
    control.SetSelText("<QX:VBS>");
    expectWholePassColours("a new tag in the line");
}

// A one-character edit in the middle of a long text re-colours a few lines, not the whole text.
TEST_F(ColourFixture, DelayedPassAfterOneCharacterWalksOnlyTheLinesItChanges) {
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QString("Dim a%1 = \"s\" ' c\r\n").arg(i);
    control.setCodeType(CodeTypes::VB);
    setValue(text, int(text.size() / 2));
    ASSERT_GT(box.formatCallCount(), 3000) << "a whole pass";
    box.typeText("x");
    const int before = box.formatCallCount();
    highlightTimer.fire();
    EXPECT_LT(box.formatCallCount() - before, 40);
}

} // namespace
} // namespace qx::test

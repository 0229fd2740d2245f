// Colours kept up from the edits (the delayed pass after typing walks only the lines an edit can have
// changed) must be exactly the colours a whole pass gives, after any mix of user edits, host edits, new
// values and steps into and out of encoded values; and Undo and Redo must still walk through the exact
// texts and carets. Runs over real scripts from the corpus and over a slice of a generated text.
#include "support/ControllerFixture.h"

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/TextDecoding.h"
#include "hostlib/Library.h"
#include "platform/KeyCodes.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>

namespace qx::test {
namespace {

struct Shot {
    QString text;
    int caret = 0;
};

// Every 19th corpus file (a spread of sizes and languages), and the generated texts when they were built.
std::vector<std::string> sampleFiles() {
    std::vector<std::string> files;
    QDirIterator it(QStringLiteral(QX_CORPUS_DIR), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.push_back(it.next().toStdString());
    std::sort(files.begin(), files.end());
    std::vector<std::string> sample;
    for (size_t i = 0; i < files.size(); i += 19)
        sample.push_back(files[i]);
#ifdef QX_BENCH_TEXT_DIR
    for (const char* name : {"script_1mb.vbs", "tag_1mb.qx"})
        sample.push_back(std::string(QX_BENCH_TEXT_DIR "/") + name);
#endif
    return sample;
}

// Pieces that change colours far below them: quotes, comment marks, tag and encoded-value markers.
const QStringList kPieces = {
    "\"",        "'", "<QX:SCRIPT>", "</QX>", "<QX:VBS>", "\":", "Result=\"", "~64\"", "\r\n",
    "Dim x\r\n", "<", ">",           "~",     " ",        "REM", "1.5E3",     "Web."};

class IncrementalColourTest : public ControllerFixture, public ::testing::WithParamInterface<std::string> {
protected:
    QRandomGenerator random{quint32(std::hash<std::string>()(GetParam()))};
    QString source;                  // the file, for fragments to paste
    QList<QList<Shot>> expected{{}}; // per open level: one shot per step on its undo stack
    QList<Shot> entered;             // per level stepped into: the outer text, caret at the area

    int pick(int bound) { return int(random.bounded(qMax(bound, 1))); }
    Shot now() const { return {box.Text(), box.SelStart()}; }

    QString fragment() {
        const int at = pick(int(source.size()));
        return source.mid(at, 1 + pick(200));
    }

    // An encoded value holding a little script, for steps in and out.
    static QString encodedValue() {
        return "~64\"" + QString::fromLatin1(QByteArray("Dim s\r\ns = \"<QX:x>\" ' note\r\n").toBase64()) +
               "\"";
    }

    void randomEdit() {
        box.setSelStart(pick(int(box.Text().size()) + 1));
        box.setSelLength(pick(3) == 0 ? pick(40) : 0);
        const Shot before = now();
        const int steps = state.mpcUndo->Count();
        const int level = int(expected.size());
        switch (pick(12)) {
        case 0:
        case 1:
        case 2:
            box.typeText(QString(QChar(u"a\"'<>~: 1\r"[pick(10)])));
            break;
        case 3:
            box.pressKey(pick(2) ? VK_BACK : VK_DELETE);
            break;
        case 4:
            clipboard.setText(fragment());
            menu.choose("mnuPaste");
            break;
        case 5:
        case 6:
            control.SetSelText(kPieces[pick(int(kPieces.size()))]); // the host's: joins the pending step
            break;
        case 7:
            if (pick(4) == 0)
                control.setValue(fragment() + kPieces[pick(int(kPieces.size()))] + fragment());
            else
                control.SetSelText(encodedValue());
            break;
        case 8:
            stepIn();
            break;
        case 9:
            if (level > 1)
                control.GoBack();
            break;
        default:
            box.pressKey(VK_TAB, pick(2) ? kShiftMask : 0);
            break;
        }
        control.HideList();
        control.HideTip();
        if (state.mlLevel != level) {
            followLevel();
            return;
        }
        if (state.mpcUndo->Count() == steps + 1)
            expected.last().append(before);
    }

    // Steps into an encoded value when the text has one.
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

    // Each level keeps its own history; stepping back out of an edited value is a step of the outer level,
    // and a new value from the host drops the levels without one.
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

    void goBackOut() {
        while (state.mlLevel > 1) {
            control.GoBack();
            followLevel();
        }
    }

    // Fires the delayed pass and compares every character's format with a whole pass over the same text.
    void expectWholePassColours(const char* when, int round) {
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

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(IncrementalColourTest);

TEST_P(IncrementalColourTest, ColoursFromTheEditsEqualAWholePassAndUndoWalksBackExactly) {
    QFile file(QString::fromStdString(GetParam()));
    if (!file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "missing " << GetParam();
    source = decodeScriptFile(file.readAll());
    if (source.size() > 30000) // a slice of a generated text: the whole one is for the benchmarks
        source = source.mid(source.size() / 2, 30000);
    control.setCodeType(GetParam().ends_with(".vbs") ? CodeTypes::VB : CodeTypes::Kelvane);
    setValue(source, int(source.size() / 2));

    for (int round = 0; round < 60; ++round) {
        randomEdit();
        if (pick(3) != 0) // otherwise the next edit joins this one before the pass
            expectWholePassColours("edit", round);
    }
    goBackOut();
    expectWholePassColours("back out", 0);

    QList<Shot>& steps = expected.first();
    QList<Shot> forward;
    while (!steps.isEmpty()) {
        forward.append(now());
        control.Undo();
        const Shot want = steps.takeLast();
        ASSERT_EQ(box.Text(), want.text) << "undo step " << forward.size();
        ASSERT_EQ(box.SelStart(), want.caret) << "undo step " << forward.size();
        expectWholePassColours("undo", int(forward.size()));
    }
    while (!forward.isEmpty()) {
        control.Redo();
        const Shot want = forward.takeLast();
        ASSERT_EQ(box.Text(), want.text) << "redo, " << forward.size() << " left";
        ASSERT_EQ(box.SelStart(), want.caret) << "redo, " << forward.size() << " left";
        expectWholePassColours("redo", int(forward.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, IncrementalColourTest, ::testing::ValuesIn(sampleFiles()),
                         [](const auto& info) {
                             std::string name =
                                 QFileInfo(QString::fromStdString(info.param)).fileName().toStdString();
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name + "_" + std::to_string(info.index);
                         });

// Edits whose effect reaches lines far below them: the pass must walk on until the state at a line start is
// back to what it was, not stop at the first unchanged line.
struct FarEdit {
    const char* name;
    int codeType;
    QString head;
    QString line; // repeated 50 times after the head
    QString tail;
    int at;         // the line where the edit goes, at its start
    QString insert; // typed there
    friend void PrintTo(const FarEdit& edit, std::ostream* os) { *os << edit.name; }
};

class FarReachingEditTest : public ControllerFixture, public ::testing::WithParamInterface<FarEdit> {
protected:
    void expectWholePassColours() {
        highlightTimer.fire();
        MemoryCodeBox reference;
        reference.setText(box.Text());
        ColourText(reference, GetParam().codeType, state.mlTagColour, state.mlEncodeColour);
        EXPECT_EQ(box.formats().runs(), reference.formats().runs());
    }
};

TEST_P(FarReachingEditTest, ReColoursEveryLineTheEditChanges) {
    const FarEdit& edit = GetParam();
    control.setCodeType(edit.codeType);
    setValue(edit.head + edit.line.repeated(50) + edit.tail,
             int(edit.head.size() + edit.line.size() * edit.at));
    for (const QChar c : edit.insert)
        box.typeText(QString(c));
    expectWholePassColours();
    // And back: taking it out restores the colours below.
    for (int i = 0; i < int(edit.insert.size()); ++i)
        box.pressKey(VK_BACK);
    expectWholePassColours();
}

// In a script block the tail's value is walked as script; outside one it is text with quoted parts.
INSTANTIATE_TEST_SUITE_P(
    Cases, FarReachingEditTest,
    ::testing::Values(
        FarEdit{"ScriptBlockOpened", CodeTypes::Kelvane, "", "x \"q\" y\r\n", "Result=\"Dim a\": x\r\n", 3,
                "<QX:SCRIPT>"},
        FarEdit{"CommandWordBeforeItsEquals", CodeTypes::Kelvane, "<QX:SCRIPT>\r\n", "a\r\n",
                "=\"Dim b\": x\r\n", 2, "Result "},
        FarEdit{"ValueOpened", CodeTypes::Kelvane, "<QX:SCRIPT> Eval x\r\n", "Dim a\r\n", "\": y\r\n", 2,
                "Result=\""},
        FarEdit{"EncodedValueOpened", CodeTypes::Kelvane, "", "a \"b\" <QX:y>\r\n", "\" c\r\n", 4, "~64\""},
        FarEdit{"CommentOverLineFeeds", CodeTypes::VB, "", "Dim a = \"s\" + 1\n", "\r\nDim c\r\n", 5, "'"}),
    [](const auto& info) { return std::string(info.param.name); });

// A one-character edit in the middle of a long text re-colours a few lines, not the text: the box is asked
// for far fewer format changes than a whole pass makes.
TEST_F(ControllerFixture, DelayedPassAfterOneCharacterWalksOnlyTheLinesItChanges) {
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QString("Dim a%1 = \"s\" ' c\r\n").arg(i);
    control.setCodeType(CodeTypes::VB);
    setValue(text, int(text.size() / 2));
    const int wholePass = box.formatCallCount();
    box.typeText("x");
    const int before = box.formatCallCount();
    highlightTimer.fire();
    EXPECT_LT(box.formatCallCount() - before, 40);
    EXPECT_GT(wholePass, 3000);
}

} // namespace
} // namespace qx::test

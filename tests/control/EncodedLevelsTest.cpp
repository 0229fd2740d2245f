#include "support/ControllerFixture.h"

#include "hostlib/Library.h"
#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

// A value holding `inner` encoded, after one letter.
QString encodedValue(const QString& letter, const QString& inner) {
    return letter + "=~64\"" + Library::instance().Base64Encode(inner) + "\"";
}

class EncodedLevelsTest : public ControllerFixture {
protected:
    // The host's text with the caret placed by a key, so that the buttons and panels follow it.
    void showAt(const QString& text, int caret) {
        setValue(text, caret);
        box.pressKey(VK_SHIFT);
    }
    void moveTo(int caret) { box.setSelStart(caret), box.pressKey(VK_SHIFT); }
    void edit() { editBar.click("cmdEditEncoded"); }
    void back() { editBar.click("cmdBack"); }
    int level() const { return state.mlLevel; }
};

// The caret is inside from just after the marker's quote to just before the closing quote; the last quote
// before the caret must be the marker's own, the content needs a closing quote, and "<" or ":" in it makes
// it ordinary text. Only inside do keys other than moves stop, and does Edit step in.
TEST_F(EncodedLevelsTest, EditStepsInExactlyWhenTheCaretIsInsideTheArea) {
    const struct {
        const char* text;
        int caret;
        bool inside;
    } cases[] = {
        {"A=~64\"QUJD\" y", 5, false},  {"A=~64\"QUJD\" y", 6, true}, {"A=~64\"QUJD\" y", 10, true},
        {"A=~64\"QUJD\" y", 11, false}, {"=~64\"QUJD\"", 4, false},   {"x=~64\"QU:D\"", 8, false},
        {"x=~64\"QU<D\"", 8, false},    {"x=~64\"QUJD", 8, false},    {"x=\"QUJD\"", 5, false},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        showAt(text, c.caret);
        EXPECT_EQ(state.mbInEncodedArea, c.inside) << c.text << " at " << c.caret;
        EXPECT_EQ(editBar.ButtonEnabled("cmdEditEncoded"), c.inside) << c.text << " at " << c.caret;
        box.typeText("z");
        EXPECT_EQ(box.Text(), c.inside ? text : QString(text).insert(c.caret, u'z')) << c.text;
        showAt(text, c.caret);
        edit();
        EXPECT_EQ(level(), c.inside ? 2 : 1) << c.text << " at " << c.caret;
        EXPECT_EQ(box.Text(), c.inside ? "ABC" : text) << c.text << " at " << c.caret;
    }
}

TEST_F(EncodedLevelsTest, EditingTheContentAndSteppingBackReEncodesIt) {
    showAt(encodedValue("A", "ABC"), 7);
    const int passes = control.passCount();
    const int timerStarts = highlightTimer.starts();
    box.pressKey(VK_E, kCtrlMask);
    EXPECT_EQ(box.Text(), "ABC");
    EXPECT_EQ(status.PanelText("Level"), "2");
    EXPECT_TRUE(editBar.ButtonEnabled("cmdBack"));
    EXPECT_FALSE(editBar.ButtonEnabled("cmdEditEncoded"));
    EXPECT_FALSE(state.mbChanged) << "stepping in changes nothing";
    EXPECT_EQ(state.mpcUndo->Count(), 0) << "nor leaves a step";
    EXPECT_EQ(control.passCount(), passes) << "the inner text is coloured later";
    EXPECT_EQ(highlightTimer.starts(), timerStarts + 1);

    box.setSelStart(3);
    box.typeText("D");
    back();
    EXPECT_EQ(box.Text(), "A=~64\"QUJDRA==\"");
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelText(), "QUJDRA==") << "the new content stays selected";
    EXPECT_EQ(status.PanelText("Level"), "1");
    EXPECT_FALSE(editBar.ButtonEnabled("cmdBack"));
    EXPECT_TRUE(editBar.ButtonEnabled("cmdEditEncoded"));
    EXPECT_TRUE(state.mbChanged);
    EXPECT_FALSE(state.mbBusy);
    EXPECT_EQ(control.passCount(), passes + 1) << "stepping back colours at once";
    EXPECT_EQ(shell.encodingAreaChanges, (QList<bool>{true, false, true}));
}

// Each Back writes one level's encoding into the level outside it; reading Value folds what is left.
TEST_F(EncodedLevelsTest, NestedLevelsAreWrittenBackInTurn) {
    const QString middle = encodedValue("B", "in");
    const QString outer = encodedValue("A", middle);
    showAt(outer, 7);
    edit();
    ASSERT_EQ(box.Text(), middle);
    moveTo(7);
    // A host's slot on the signal reads the whole top-level text while the control steps in and out.
    QStringList seen;
    shell.onEncodingAreaChange = [&](bool) { seen << control.Value(); };
    edit();
    ASSERT_EQ(box.Text(), "in");
    EXPECT_EQ(level(), 3);
    EXPECT_EQ(state.masLevelText.size(), 4);

    box.setSelStart(2);
    box.typeText("ner");
    box.pressKey(VK_LEFT, kAltMask); // steps back out, as the Back button does
    shell.onEncodingAreaChange = {};
    const QString newMiddle = encodedValue("B", "inner");
    EXPECT_EQ(seen, QStringList({outer, encodedValue("A", newMiddle)}));
    EXPECT_EQ(box.Text(), newMiddle);
    EXPECT_EQ(level(), 2);
    EXPECT_TRUE(editBar.ButtonEnabled("cmdBack")) << "still above level 1";

    EXPECT_EQ(control.Value(), encodedValue("A", newMiddle));
    EXPECT_EQ(level(), 1);
    EXPECT_EQ(state.masLevelText, (QStringList{QString(), QString()}));
    EXPECT_FALSE(editBar.ButtonEnabled("cmdBack"));
}

// The Edit button keeps its state until the next key or click: a click after the caret moved out by
// other means must not step into the area before the caret. Back does nothing at level 1.
TEST_F(EncodedLevelsTest, AnOutOfDateEditButtonAndBackAtLevelOneDoNothing) {
    const QString text = encodedValue("A", "ABC") + " y";
    showAt(text, 7);
    box.setSelStart(12);
    ASSERT_TRUE(editBar.ButtonEnabled("cmdEditEncoded"));
    edit();
    back();
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(level(), 1);
}

// Each level has its own undo and redo history: Undo inside never brings back an outer text, and stepping
// out of an edited value is one step of the outer level.
TEST_F(EncodedLevelsTest, EachLevelHasItsOwnUndoHistory) {
    showAt(encodedValue("A", "ABC") + " ", 12);
    box.typeText("x");
    moveTo(7);
    edit();
    control.Undo();
    EXPECT_EQ(box.Text(), "ABC") << "nothing to undo at the new level";

    box.setSelStart(3);
    box.typeText("D");
    control.Undo();
    EXPECT_EQ(box.Text(), "ABC");
    control.Redo();
    EXPECT_EQ(box.Text(), "ABCD");
    back();
    const QString written = box.Text();
    EXPECT_EQ(state.mpcUndo->Count(), 2) << "level 1's history is back, with the new value as a step";
    EXPECT_EQ(state.mpcRedo->Count(), 0);
    moveTo(0);
    control.Undo();
    EXPECT_EQ(box.Text(), encodedValue("A", "ABC") + " x") << "the old value, the level-1 typing kept";
    EXPECT_EQ(box.SelStart(), 6);
    control.Undo();
    EXPECT_EQ(box.Text(), encodedValue("A", "ABC") + " ");
    control.Redo();
    control.Redo();
    EXPECT_EQ(box.Text(), written);

    // A new text from the host ends every open level: their records and histories go, level 1's comes back.
    moveTo(7);
    edit();
    box.typeText("y");
    control.setValue("new text");
    EXPECT_EQ(level(), 1);
    EXPECT_EQ(status.PanelText("Level"), "1");
    EXPECT_FALSE(editBar.ButtonEnabled("cmdBack"));
    EXPECT_EQ(state.masLevelText, (QStringList{QString(), QString()}));
    EXPECT_TRUE(state.maLevelHistory.empty());
    EXPECT_EQ(control.Value(), "new text");
    control.Undo();
    EXPECT_EQ(box.Text(), encodedValue("A", "ABC") + " x")
        << "level 1's last step, the new text joined to it";
}

// A visit without an edit puts the stored bytes back as they were, even when encoding the decoded text
// would give other Base64, and leaves Changed alone. Content that is not Base64 is reported once and
// leaves everything as it was, the control not left busy.
TEST_F(EncodedLevelsTest, AVisitWithoutAnEditKeepsTheStoredBytesAndBadContentChangesNothing) {
    const struct {
        const char* stored;
        const char* decoded; // null: does not decode
    } cases[] = {{"Y2Fm6Q==", "caf\u00e9"}, {"QU JD", "ABC"}, {"QUJ", nullptr}, {"QU?D", nullptr}};
    for (const auto& c : cases) {
        const QString text = QStringLiteral("A=~64\"%1\" z").arg(QLatin1String(c.stored));
        showAt(text, 7);
        box.setSelLength(2);
        state.mbChanged = false;
        const qsizetype reported = messages.messages().size();
        edit();
        EXPECT_EQ(messages.messages().size(), reported + (c.decoded ? 0 : 1)) << c.stored;
        EXPECT_EQ(level(), c.decoded ? 2 : 1) << c.stored;
        if (c.decoded) {
            EXPECT_EQ(box.Text(), QString::fromUtf8(c.decoded));
            back();
            EXPECT_EQ(box.SelText(), QLatin1String(c.stored));
        } else {
            EXPECT_EQ(box.SelStart(), 7);
            EXPECT_EQ(box.SelLength(), 2);
            EXPECT_EQ(messages.messages().last().icon, MessageBox::Icon::Exclamation);
        }
        EXPECT_EQ(box.Text(), text) << c.stored;
        EXPECT_FALSE(state.mbChanged) << c.stored;
        EXPECT_FALSE(state.mbBusy) << c.stored;
    }
    box.setSelStart(int(box.Text().size()));
    const int timerStarts = highlightTimer.starts();
    box.typeText("w");
    EXPECT_TRUE(state.mbChanged) << "the next key is handled as usual";
    EXPECT_EQ(state.mpcUndo->Count(), 1);
    EXPECT_EQ(highlightTimer.starts(), timerStarts + 1);
}

} // namespace
} // namespace qx::test

#include "support/ControllerFixture.h"

#include "hostlib/Library.h"
#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

QString b64(const QString& text) {
    return Library::instance().Base64Encode(text);
}
// A value holding `inner` encoded, after one letter.
QString encodedValue(const QString& letter, const QString& inner) {
    return letter + QStringLiteral("=~64\"") + b64(inner) + QLatin1Char('"');
}

class EncodedLevelsTest : public ControllerFixture {
protected:
    // The host's text with the caret placed by a key, so that the buttons and panels follow it.
    void showAt(const QString& text, int caret) {
        setValue(text, caret);
        box.pressKey(VK_SHIFT);
    }
    void edit() { editBar.click(QStringLiteral("cmdEditEncoded")); }
    void back() { editBar.click(QStringLiteral("cmdBack")); }
    int level() const { return state.mlLevel; }
};

// "A=~64"QUJD"": the caret is inside from just after the marker's quote to just before the closing quote,
// and only there does Edit step in.
TEST_F(EncodedLevelsTest, EditStepsInExactlyWhenTheCaretIsInsideTheArea) {
    const QString text = encodedValue("A", "ABC");
    ASSERT_EQ(text, "A=~64\"QUJD\"");
    for (int caret = 0; caret <= text.size(); ++caret) {
        const bool inside = caret >= 6 && caret <= 10;
        showAt(text, caret);
        EXPECT_EQ(state.mbInEncodedArea, inside) << "caret " << caret;
        edit();
        EXPECT_EQ(box.Text(), inside ? "ABC" : text) << "caret " << caret;
        EXPECT_EQ(level(), inside ? 2 : 1) << "caret " << caret;
    }
}

TEST_F(EncodedLevelsTest, EditingTheContentAndSteppingBackReEncodesIt) {
    showAt(encodedValue("A", "ABC"), 7);
    const int passes = control.passCount();
    const int timerStarts = highlightTimer.starts();
    edit();
    EXPECT_EQ(box.Text(), "ABC");
    EXPECT_EQ(level(), 2);
    EXPECT_EQ(status.PanelText("Level"), "2");
    EXPECT_TRUE(editBar.ButtonEnabled("cmdBack"));
    EXPECT_FALSE(editBar.ButtonEnabled("cmdEditEncoded"));
    EXPECT_FALSE(state.mbChanged) << "stepping in changes nothing";
    EXPECT_EQ(control.passCount(), passes) << "the inner text is coloured later";
    EXPECT_EQ(highlightTimer.starts(), timerStarts + 1);

    box.setSelStart(3);
    box.typeText("D");
    back();
    EXPECT_EQ(box.Text(), "A=~64\"QUJDRA==\"");
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelText(), "QUJDRA==") << "the new content stays selected";
    EXPECT_EQ(level(), 1);
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
    box.setSelStart(7);
    box.pressKey(VK_SHIFT);
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

TEST_F(EncodedLevelsTest, ContentWithAColonOrATagIsOrdinaryText) {
    for (const char* text : {"x=~64\"QU:D\"", "x=~64\"QU<D\""}) {
        showAt(QString::fromLatin1(text), 8);
        edit();
        EXPECT_EQ(level(), 1) << text;
        box.typeText("z");
        EXPECT_EQ(box.Text(), QString::fromLatin1(text).insert(8, u'z')) << text;
    }
}

// The Edit button keeps its state until the next key or click: a click after the caret moved out by
// other means must not step into the area before the caret.
TEST_F(EncodedLevelsTest, AnOutOfDateEditButtonDoesNothing) {
    const QString text = encodedValue("A", "ABC") + " y";
    showAt(text, 7);
    box.setSelStart(12);
    ASSERT_TRUE(editBar.ButtonEnabled("cmdEditEncoded"));
    edit();
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(level(), 1);
}

// Each level has its own undo and redo history: Undo inside never brings back an outer text.
TEST_F(EncodedLevelsTest, EachLevelHasItsOwnUndoHistory) {
    showAt(encodedValue("A", "ABC") + " ", 12);
    box.typeText("x");
    box.setSelStart(7);
    box.pressKey(VK_SHIFT);
    edit();
    EXPECT_EQ(state.mpcUndo->Count(), 0);
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
    box.setSelStart(0);
    box.pressKey(VK_SHIFT);
    control.Undo();
    EXPECT_EQ(box.Text(), encodedValue("A", "ABC") + " x") << "the old value, the level-1 typing kept";
    EXPECT_EQ(box.SelStart(), 6);
    control.Undo();
    EXPECT_EQ(box.Text(), encodedValue("A", "ABC") + " ");
    control.Redo();
    control.Redo();
    EXPECT_EQ(box.Text(), written);
}

// A new text from the host ends every open level: their records and histories go, level 1's history
// comes back, and the text read back is exactly the new one.
TEST_F(EncodedLevelsTest, SettingValueInsideALevelDropsTheLevels) {
    const QString before = encodedValue("A", encodedValue("B", "in")) + " ";
    showAt(before, int(before.size()));
    box.typeText("x");
    box.setSelStart(7);
    box.pressKey(VK_SHIFT);
    edit();
    box.setSelStart(7);
    box.pressKey(VK_SHIFT);
    edit();
    box.typeText("y");
    ASSERT_EQ(level(), 3);

    control.setValue("new text");
    EXPECT_EQ(level(), 1);
    EXPECT_EQ(status.PanelText("Level"), "1");
    EXPECT_FALSE(editBar.ButtonEnabled("cmdBack"));
    EXPECT_EQ(state.masLevelText, (QStringList{QString(), QString()}));
    EXPECT_TRUE(state.maLevelHistory.empty());
    EXPECT_EQ(control.Value(), "new text");
    control.Undo();
    EXPECT_EQ(box.Text(), before) << "level 1's last step";
}

// Stepping in and out without an edit puts the stored bytes back as they were, even when encoding the
// decoded text would give other Base64, and leaves Changed alone.
TEST_F(EncodedLevelsTest, AVisitWithoutAnEditKeepsTheStoredBytes) {
    struct Case {
        const char* what;
        const char* stored;
        const char* decoded;
    } cases[] = {
        {"Windows-1252 bytes", "Y2Fm6Q==", "caf\u00e9"},
        {"Base64 wrapped with a blank", "QU JD", "ABC"},
    };
    for (const Case& c : cases) {
        const QString text = QStringLiteral("A=~64\"%1\" z").arg(QLatin1String(c.stored));
        showAt(text, 7);
        state.mbChanged = false;
        edit();
        ASSERT_EQ(box.Text(), QString::fromUtf8(c.decoded)) << c.what;
        back();
        EXPECT_EQ(box.Text(), text) << c.what;
        EXPECT_EQ(box.SelText(), QLatin1String(c.stored)) << c.what;
        EXPECT_FALSE(state.mbChanged) << c.what;
    }
}

// Content that is not Base64 is reported once and leaves everything as it was; the control is not left
// busy, so the next typed character is handled as usual.
TEST_F(EncodedLevelsTest, ContentThatDoesNotDecodeChangesNothing) {
    for (const char* text : {"A=~64\"QUJ\" z", "A=~64\"QU?D\" z"}) {
        showAt(QString::fromLatin1(text), 7);
        box.setSelLength(2);
        const int messagesBefore = int(messages.messages().size());
        edit();
        EXPECT_EQ(box.Text(), QString::fromLatin1(text));
        EXPECT_EQ(box.SelStart(), 7);
        EXPECT_EQ(box.SelLength(), 2);
        EXPECT_EQ(level(), 1);
        EXPECT_FALSE(state.mbBusy);
        ASSERT_EQ(messages.messages().size(), messagesBefore + 1) << text;
        EXPECT_EQ(messages.messages().last().icon, MessageBox::Icon::Exclamation);
    }
    box.setSelStart(int(box.Text().size()));
    state.mbChanged = false;
    const int timerStarts = highlightTimer.starts();
    box.typeText("w");
    EXPECT_TRUE(state.mbChanged);
    EXPECT_EQ(state.mpcUndo->Count(), 1);
    EXPECT_EQ(highlightTimer.starts(), timerStarts + 1);
}

TEST_F(EncodedLevelsTest, CtrlEStepsInAndBackDoesNothingAtLevelOne) {
    back();
    EXPECT_EQ(level(), 1);
    showAt(encodedValue("A", "ABC"), 8);
    box.pressKey(VK_E, kCtrlMask);
    EXPECT_EQ(box.Text(), "ABC");
    EXPECT_EQ(level(), 2);
    EXPECT_EQ(state.mpcUndo->Count(), 0) << "the key leaves no undo step";
}

} // namespace
} // namespace qx::test

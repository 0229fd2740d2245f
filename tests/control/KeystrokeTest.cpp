#include "support/ControllerFixture.h"

#include "assist/AssistPopups.h"
#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

// An encoded area holding "ABC", after one letter: the caret is inside from 6 to 10.
const QString kEncoded = QStringLiteral("x=~64\"QUJD\" y");

class KeystrokeTest : public ControllerFixture {
protected:
    // KeyDown as the box raises it; returns the key code as the handler left it.
    int keyDown(int vk, int shift = 0) {
        int code = vk;
        control.KeyDown(code, shift);
        return code;
    }
    int keyPress(int ch) {
        control.KeyPress(ch);
        return ch;
    }
    void select(int start, int length) {
        box.setSelStart(start);
        box.setSelLength(length);
    }
    // The member list of an object (ListType 1), opened on "x = tag." with nothing selected in it.
    void openObjectList() {
        control.setCodeType(1);
        box.typeText("x = tag.");
        ASSERT_TRUE(state.mbListShown);
    }
    // A list of values (ListType 0) with these entries, opened at the caret.
    void openValueList(const QStringList& names) {
        Properties set;
        for (const QString& name : names)
            set.Add(name, QString());
        control.popups().OpenList(set, ListKind::Values, {});
    }
    int undoSteps() const { return state.mpcUndo->Count(); }
};

TEST_F(KeystrokeTest, InsideAnEncodedAreaOnlyTheCaretMoves) {
    setValue(kEncoded, 8);
    box.pressKey(VK_LEFT);
    ASSERT_TRUE(state.mbInEncodedArea);
    EXPECT_EQ(shell.encodingAreaChanges, QList<bool>{true});
    EXPECT_TRUE(editBar.ButtonEnabled("cmdEditEncoded"));
    EXPECT_TRUE(status.PanelEnabled("Encoded"));

    for (int vk : {VK_BACK, VK_DELETE, VK_A, VK_SPACE, VK_TAB})
        box.pressKey(vk);
    EXPECT_EQ(keyDown(0x56 /* V */, kCtrlMask), kKeyRefused) << "Ctrl+V is refused";
    EXPECT_EQ(keyPress('a'), kKeyRefused);
    EXPECT_FALSE(control.BeforeInput(TextInput::Drop));
    EXPECT_EQ(box.Text(), kEncoded);
    EXPECT_EQ(undoSteps(), 0);

    for (int vk : {VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_UP, VK_DOWN, VK_ESCAPE})
        EXPECT_EQ(keyDown(vk, kShiftMask), vk);
    box.setSelStart(9);
    box.pressKey(VK_RIGHT);
    EXPECT_EQ(box.SelStart(), 10);
    EXPECT_EQ(shell.encodingAreaChanges, QList<bool>{true}) << "moving within the area raises nothing";
    box.pressKey(VK_RIGHT);
    EXPECT_FALSE(state.mbInEncodedArea);
    EXPECT_EQ(shell.encodingAreaChanges, (QList<bool>{true, false}));
    EXPECT_FALSE(editBar.ButtonEnabled("cmdEditEncoded"));
}

// The last quote before the caret must be the marker's own, the area needs a closing quote, and "<" or
// ":" inside makes it ordinary text.
TEST_F(KeystrokeTest, EncodedAreaAndRtfDetection) {
    struct Case {
        const char* text;
        int caret;
        bool in;
    } cases[] = {
        {"x=~64\"QUJD\" y", 6, true}, {"x=~64\"QUJD\" y", 10, true}, {"x=~64\"QUJD\" y", 11, false},
        {"=~64\"QUJD\"", 4, false},   {"x=~64\"QU:D\"", 8, false},   {"x=~64\"QU<D\"", 8, false},
        {"x=~64\"QUJD", 8, false},    {"x=\"QUJD\"", 5, false},
    };
    for (const Case& c : cases) {
        setValue(QString::fromLatin1(c.text), c.caret);
        box.pressKey(VK_SHIFT);
        EXPECT_EQ(state.mbInEncodedArea, c.in) << c.text << " at " << c.caret;
    }
    setValue(QStringLiteral("a=\"{\\rtf1 x}\" b"), 15);
    box.pressKey(VK_SHIFT);
    EXPECT_TRUE(editBar.ButtonEnabled("cmdRTF")) << "after the closing quote too";
    setValue(QStringLiteral("a=\"{\\rtf1 x:y}\" b"), 15);
    box.pressKey(VK_SHIFT);
    EXPECT_FALSE(editBar.ButtonEnabled("cmdRTF"));
    EXPECT_FALSE(editBar.ButtonEnabled("cmdBack")) << "Back has nothing to do at level 1";
}

TEST_F(KeystrokeTest, TabIndentsWholeLinesAndKeepsThemSelected) {
    setValue("ab\r\ncd\r\nef");
    select(1, 4); // from the middle of the first line into the second
    box.pressKey(VK_TAB);
    EXPECT_EQ(box.Text(), "  ab\r\n  cd\r\nef");
    EXPECT_EQ(box.SelText(), "  ab\r\n  cd\r\n");

    setValue("ab\r\ncd");
    select(1, 4); // the second line is the last
    box.pressKey(VK_TAB);
    EXPECT_EQ(box.Text(), "  ab\r\n  cd");
    EXPECT_EQ(box.SelText(), "  ab\r\n  c") << "the end moves by the added spaces only";
    EXPECT_EQ(undoSteps(), 2);
    control.Undo();
    EXPECT_EQ(box.Text(), "ab\r\ncd");
}

TEST_F(KeystrokeTest, ShiftTabOutdentsByUpToTwoSpaces) {
    setValue("a\r\n b\r\n   c");
    select(0, int(box.Text().size()));
    box.pressKey(VK_TAB, kShiftMask);
    EXPECT_EQ(box.Text(), "a\r\nb\r\n c");

    setValue("x  yz", 3);
    box.setSelLength(1);
    box.pressKey(VK_TAB, kShiftMask);
    EXPECT_EQ(box.Text(), "xz") << "the two spaces go with the selection";

    setValue("x y", 2);
    box.pressKey(VK_TAB, kShiftMask);
    EXPECT_EQ(box.Text(), "x y");
    box.pressKey(VK_TAB);
    EXPECT_EQ(box.Text(), "x   y");
    EXPECT_EQ(box.SelStart(), 4);
}

TEST_F(KeystrokeTest, TheKeyboardDrivesTheMemberList) {
    openObjectList();
    MemoryListPopup& lst = *list();
    lst.setVisibleRows(5);
    box.pressKey(VK_NEXT);
    EXPECT_EQ(lst.ListIndex(), 0) << "Page Down from no selection";
    box.pressKey(VK_NEXT);
    EXPECT_EQ(lst.ListIndex(), 5);
    box.pressKey(VK_DOWN);
    box.pressKey(VK_UP);
    box.pressKey(VK_UP);
    EXPECT_EQ(lst.ListIndex(), 4);
    box.pressKey(VK_END);
    EXPECT_EQ(lst.ListIndex(), lst.ListCount() - 1);
    lst.setListIndex(-1);
    box.pressKey(VK_PRIOR);
    EXPECT_EQ(lst.ListIndex(), lst.ListCount() - 1) << "Page Up from no selection";
    EXPECT_EQ(box.Text(), "x = tag.") << "the keys were the list's";

    box.pressKey(VK_ESCAPE);
    EXPECT_FALSE(state.mbListShown);
    EXPECT_EQ(box.Text(), "x = tag.");
}

TEST_F(KeystrokeTest, AcceptingAnEntry) {
    openObjectList();
    box.typeText("Pro");
    const QString entry = list()->Text();
    ASSERT_FALSE(entry.isEmpty());
    box.typeText("(");
    EXPECT_EQ(box.Text(), "x = tag." + entry + "(");
    EXPECT_FALSE(state.mbListShown);
    EXPECT_FALSE(state.mbTipShown);

    // A space stays after an object's member, and is dropped after any other list's entry.
    setValue("x = tag.");
    box.setSelStart(8);
    openObjectList();
    box.pressKey(VK_DOWN);
    box.typeText(" ");
    EXPECT_EQ(box.Text(), "x = tag.x = tag." + list()->Entry(0) + " ");

    setValue("v = ");
    openValueList({"Alpha", "Beta"});
    box.pressKey(VK_DOWN);
    box.typeText(" ");
    EXPECT_EQ(box.Text(), "v = ALPHA");

    setValue("v = ");
    openValueList({"Alpha", "Beta"});
    box.pressKey(VK_DOWN);
    box.pressKey(VK_DOWN);
    box.pressKey(VK_RETURN);
    EXPECT_EQ(box.Text(), "v = BETA") << "Enter accepts and is swallowed";
    EXPECT_FALSE(state.mbListShown);
}

TEST_F(KeystrokeTest, ClosingTagsAndNewLines) {
    setValue("<QX:A>b</qx");
    box.typeText(">");
    EXPECT_EQ(box.Text(), "<QX:A>b</QX>");
    EXPECT_EQ(box.SelStart(), 12);
    control.Undo();
    EXPECT_EQ(box.Text(), "<QX:A>b</qx") << "one step takes back the correction with the key";

    setValue("/x");
    box.typeText(">");
    EXPECT_EQ(box.Text(), "/x>");

    setValue("    If x Then");
    box.pressKey(VK_RETURN);
    EXPECT_EQ(box.Text(), "    If x Then\r\n    ");
    EXPECT_EQ(box.SelStart(), 19);
    setValue("x");
    box.pressKey(VK_RETURN);
    EXPECT_EQ(box.Text(), "x\r\n");
}

TEST_F(KeystrokeTest, ALockedBoxRefusesEveryChange) {
    setValue("    ab\r\ncd </qx");
    control.RecordSnapshot();
    box.setLocked(true);
    const QString text = box.Text();
    select(0, 9);
    box.pressKey(VK_TAB);
    box.pressKey(VK_TAB, kShiftMask);
    box.setSelStart(6);
    box.pressKey(VK_RETURN);
    box.setSelStart(int(text.size()));
    EXPECT_EQ(keyPress('>'), kKeyRefused);
    box.pressKey(VK_Z, kCtrlMask);
    EXPECT_FALSE(control.BeforeInput(TextInput::MenuPaste));
    EXPECT_EQ(keyPress(22), kKeyRefused);
    openValueList({"Alpha"});
    box.pressKey(VK_DOWN);
    EXPECT_EQ(list()->ListIndex(), 0) << "the list still follows the keys";
    box.pressKey(VK_RETURN);
    EXPECT_EQ(box.Text(), text);
    box.pressKey(VK_ESCAPE);
    EXPECT_FALSE(state.mbListShown);

    control.Undo(); // the host's own call still works
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(state.mpcRedo->Count(), 1);
}

// One undo step per user action that changes the text, none for the host's calls and for keys that
// change nothing.
TEST_F(KeystrokeTest, OneUndoStepPerUserChange) {
    struct Row {
        const char* what;
        std::function<void()> act;
        int steps;
    };
    const Row rows[] = {
        {"a typed character", [&] { box.typeText("q"); }, 1},
        {"Escape", [&] { box.pressKey(VK_ESCAPE); }, 1},
        {"Backspace", [&] { box.pressKey(VK_BACK); }, 1},
        {"Delete", [&] { box.pressKey(VK_DELETE); }, 1},
        {"Delete at the end", [&] { box.setSelStart(int(box.Text().size())), box.pressKey(VK_DELETE); }, 0},
        {"Enter with indentation", [&] { box.pressKey(VK_RETURN); }, 1},
        {"Tab", [&] { box.pressKey(VK_TAB); }, 1},
        {"Ctrl+V", [&] { keyDown(0x56, kCtrlMask), keyPress(22); }, 1},
        {"Ctrl+X", [&] { keyDown(0x58, kCtrlMask), keyPress(24); }, 1},
        {"a drop", [&] { control.BeforeInput(TextInput::Drop); }, 1},
        {"an input-method commit", [&] { control.BeforeInput(TextInput::InputMethod); }, 1},
        {"Value", [&] { control.setValue("  a\r\n  b"); }, 0},
        {"SetSelText", [&] { control.SetSelText("z"); }, 0},
        {"a colouring pass", [&] { control.HighlightPass(); }, 0},
        {"arrows", [&] { box.pressKey(VK_LEFT), box.pressKey(VK_DOWN); }, 0},
        {"Ctrl+C and Ctrl+A", [&] { keyDown(0x43, kCtrlMask), keyDown(VK_A, kCtrlMask); }, 0},
    };
    for (const Row& row : rows) {
        setValue("  a\r\n  b", 3);
        state.mpcUndo->Clear();
        row.act();
        EXPECT_EQ(undoSteps(), row.steps) << row.what;
    }
}

} // namespace
} // namespace qx::test

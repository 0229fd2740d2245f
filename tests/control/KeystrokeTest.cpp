#include "support/ControllerFixture.h"

#include "assist/AssistPopups.h"
#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

class KeystrokeTest : public ControllerFixture {
protected:
    // KeyDown as the box raises it; returns the key code as the handler left it.
    int keyDown(int vk, int shift = 0) {
        control.KeyDown(vk, shift);
        return vk;
    }
    int keyPress(int ch) {
        control.KeyPress(ch);
        return ch;
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
};

TEST_F(KeystrokeTest, InsideAnEncodedAreaOnlyTheCaretMoves) {
    const QString text = QStringLiteral("x=~64\"QUJD\" y");
    setValue(text, 8);
    box.pressKey(VK_LEFT);
    ASSERT_TRUE(state.mbInEncodedArea);
    EXPECT_TRUE(status.PanelEnabled("Encoded"));
    for (int vk : {VK_BACK, VK_DELETE, VK_A, VK_SPACE, VK_TAB})
        box.pressKey(vk);
    EXPECT_EQ(keyDown(0x56 /* V */, kCtrlMask), kKeyRefused);
    EXPECT_EQ(keyPress('a'), kKeyRefused);
    EXPECT_FALSE(control.BeforeInput(TextInput::Drop));
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(state.mpcUndo->Count(), 0);
    for (int vk : {VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_UP, VK_DOWN, VK_ESCAPE})
        EXPECT_EQ(keyDown(vk, kShiftMask), vk);

    box.setSelStart(9);
    box.pressKey(VK_RIGHT);
    EXPECT_EQ(shell.encodingAreaChanges, QList<bool>{true}) << "moving within the area raises nothing";
    box.pressKey(VK_RIGHT);
    EXPECT_FALSE(state.mbInEncodedArea);
    EXPECT_EQ(shell.encodingAreaChanges, (QList<bool>{true, false}));
    EXPECT_FALSE(status.PanelEnabled("Encoded"));
}

// The RTF button is on from the value's content to after its closing quote; ":" inside ends the value.
TEST_F(KeystrokeTest, TheRtfButtonFollowsTheCaret) {
    EXPECT_FALSE(editBar.ButtonEnabled("cmdBack")) << "Back has nothing to do at level 1";
    for (const auto& [text, enabled] :
         {std::pair{"a=\"{\\rtf1 x}\" b", true}, {"a=\"{\\rtf1 x:y}\" b", false}}) {
        setValue(QString::fromLatin1(text), 14);
        box.pressKey(VK_RIGHT);
        EXPECT_EQ(editBar.ButtonEnabled("cmdRTF"), enabled) << text;
    }
}

// Tab and Shift+Tab indent or outdent whole lines of a selection over a line break, else at the caret; the
// closing tag is written in capitals; Enter keeps the line's indentation. Each key is one undo step.
TEST_F(KeystrokeTest, KeysThatRewriteTheText) {
    const struct {
        const char* text;
        int start, length;
        const char* typed; // "\b" for Shift+Tab
        const char* after;
        int selStart, selLength;
    } cases[] = {
        {"ab\r\ncd\r\nef", 1, 4, "\t", "  ab\r\n  cd\r\nef", 0, 12},
        {"ab\r\ncd", 1, 4, "\t", "  ab\r\n  cd", 0, 9}, // the end moves by the added spaces only
        {"a\r\n b\r\n   c", 0, 11, "\b", "a\r\nb\r\n c", 0, 8},
        {"x  yz", 3, 1, "\b", "xz", 1, 0}, // the two spaces go with the selection
        {"x y", 2, 0, "\b", "x y", 2, 0},
        {"x y", 2, 0, "\t", "x   y", 4, 0},
        {"<QX:A>b</qx", 11, 0, ">", "<QX:A>b</QX>", 12, 0},
        {"/x", 2, 0, ">", "/x>", 3, 0},
        {"    If x Then", 13, 0, "\r", "    If x Then\r\n    ", 19, 0},
        {"x", 1, 0, "\r", "x\r\n", 3, 0},
    };
    for (const auto& c : cases) {
        setValue(QString::fromLatin1(c.text), c.start);
        box.setSelLength(c.length);
        if (c.typed[0] == '\b')
            box.pressKey(VK_TAB, kShiftMask);
        else
            box.typeText(QString::fromLatin1(c.typed));
        EXPECT_EQ(box.Text(), c.after) << c.text << " + " << c.typed;
        EXPECT_EQ(box.SelStart(), c.selStart) << c.text << " + " << c.typed;
        EXPECT_EQ(box.SelLength(), c.selLength) << c.text << " + " << c.typed;
        control.Undo();
        EXPECT_EQ(box.Text(), c.text) << "one step: " << c.text << " + " << c.typed;
    }
}

TEST_F(KeystrokeTest, TheKeyboardDrivesTheMemberList) {
    openObjectList();
    MemoryListPopup& lst = *list();
    lst.setVisibleRows(5);
    box.pressKey(VK_NEXT);
    EXPECT_EQ(lst.ListIndex(), 0) << "Page Down from no selection";
    box.pressKey(VK_NEXT);
    box.pressKey(VK_DOWN);
    box.pressKey(VK_UP);
    box.pressKey(VK_UP);
    EXPECT_EQ(lst.ListIndex(), 4);
    box.pressKey(VK_END);
    EXPECT_EQ(lst.ListIndex(), lst.ListCount() - 1);
    lst.setListIndex(-1);
    box.pressKey(VK_PRIOR);
    EXPECT_EQ(lst.ListIndex(), lst.ListCount() - 1) << "Page Up from no selection";
    box.pressKey(VK_HOME);
    EXPECT_EQ(lst.ListIndex(), 0);
    box.pressKey(VK_ESCAPE);
    EXPECT_FALSE(state.mbListShown);
    EXPECT_EQ(box.Text(), "x = tag.") << "the keys were the list's";
}

// A space stays after an object's member and is dropped after any other list's entry; Enter accepts and
// is swallowed; "(" accepts and closes the tip too.
TEST_F(KeystrokeTest, AcceptingAnEntry) {
    openObjectList();
    box.typeText("Pro");
    const QString entry = list()->Text();
    ASSERT_FALSE(entry.isEmpty());
    box.typeText("(");
    EXPECT_EQ(box.Text(), "x = tag." + entry + "(");
    EXPECT_FALSE(state.mbListShown || state.mbTipShown);

    setValue("");
    openObjectList();
    box.pressKey(VK_DOWN);
    box.typeText(" ");
    EXPECT_EQ(box.Text(), "x = tag." + list()->Entry(0) + " ");

    for (const auto& [key, after] : {std::pair{VK_SPACE, "v = ALPHA"}, {VK_RETURN, "v = BETA"}}) {
        setValue("v = ");
        openValueList({"Alpha", "Beta"});
        box.pressKey(VK_DOWN);
        if (key == VK_RETURN)
            box.pressKey(VK_DOWN);
        box.pressKey(key);
        EXPECT_EQ(box.Text(), after);
        EXPECT_FALSE(state.mbListShown);
    }
}

TEST_F(KeystrokeTest, ALockedBoxRefusesEveryChange) {
    setValue("    ab\r\ncd </qx");
    control.RecordSnapshot();
    box.setLocked(true);
    const QString text = box.Text();
    box.SelectRange(0, 9);
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
    control.Undo(); // the host's own call still works
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(state.mpcRedo->Count(), 1);
}

// One undo step per user action that changes the text, none for the host's calls and for keys that
// change nothing.
TEST_F(KeystrokeTest, OneUndoStepPerUserChange) {
    const struct {
        const char* what;
        std::function<void()> act;
        int steps;
    } rows[] = {
        {"a typed character", [&] { box.typeText("q"); }, 1},
        {"Escape", [&] { box.pressKey(VK_ESCAPE); }, 1},
        {"Backspace", [&] { box.pressKey(VK_BACK); }, 1},
        {"Delete", [&] { box.pressKey(VK_DELETE); }, 1},
        {"Delete at the end", [&] { box.setSelStart(int(box.Text().size())), box.pressKey(VK_DELETE); }, 0},
        {"Ctrl+Backspace at the start", [&] { box.setSelStart(0), box.pressKey(VK_BACK, kCtrlMask); }, 0},
        {"Shift+Delete, a cut", [&] { box.setSelLength(1), box.pressKey(VK_DELETE, kShiftMask); }, 1},
        {"Enter with indentation", [&] { box.pressKey(VK_RETURN); }, 1},
        {"Ctrl+V", [&] { keyDown(0x56, kCtrlMask), keyPress(22); }, 1},
        {"a drop", [&] { control.BeforeInput(TextInput::Drop); }, 1},
        {"Value", [&] { control.setValue("  a\r\n  b"); }, 0},
        {"SetSelText", [&] { control.SetSelText("z"); }, 0},
        {"a colouring pass", [&] { control.HighlightPass(); }, 0},
        {"arrows", [&] { box.pressKey(VK_LEFT), box.pressKey(VK_DOWN); }, 0},
        {"Ctrl+C and Ctrl+A", [&] { keyDown(0x43, kCtrlMask), keyDown(VK_A, kCtrlMask); }, 0},
    };
    for (const auto& row : rows) {
        setValue("  a\r\n  b", 3);
        state.mpcUndo->Clear();
        row.act();
        EXPECT_EQ(state.mpcUndo->Count(), row.steps) << row.what;
    }
}

// The view's chords change no text: they are taken before the Tab rule and before the encoded-area guard,
// which would otherwise swallow them (inside an encoded value) or indent (Tab). Near misses stay keys.
TEST_F(KeystrokeTest, ViewChordsReachTheShellInPlainTextAndInsideEncodedValues) {
    const struct {
        int vk, shift;
        std::vector<bool> focusMoves;
        std::vector<int> zooms;
    } cases[] = {
        {VK_TAB, kCtrlMask, {true}, {}},
        {VK_TAB, kCtrlMask | kShiftMask, {false}, {}},
        {VK_OEM_PLUS, kCtrlMask, {}, {1}},
        {VK_OEM_PLUS, kCtrlMask | kShiftMask, {}, {1}}, // Ctrl++
        {VK_OEM_MINUS, kCtrlMask, {}, {-1}},
        {VK_0, kCtrlMask, {}, {0}},
        {VK_OEM_MINUS, kCtrlMask | kShiftMask, {}, {}},
        {VK_0, kCtrlMask | kAltMask, {}, {}},
        {VK_OEM_PLUS, kAltMask, {}, {}},
        {VK_TAB, kAltMask | kCtrlMask, {}, {}},
    };
    for (const int caretAt : {1, 7}) { // in plain text, then inside the encoded value
        for (const auto& c : cases) {
            setValue(QStringLiteral("x=~64\"QUJD\" y"), caretAt);
            shell.focusMoves.clear();
            shell.zooms.clear();
            box.pressKey(c.vk, c.shift);
            EXPECT_EQ(shell.focusMoves, c.focusMoves) << c.vk << " at " << caretAt;
            EXPECT_EQ(shell.zooms, c.zooms) << c.vk << " at " << caretAt;
            EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y") << c.vk << " at " << caretAt;
        }
    }
}

// The keys a user presses all the time, and the notifications they raise, must not put the whole text of
// the box together: the box counts its Text() calls.
TEST_F(KeystrokeTest, CommonKeysReadNoWholeText) {
    const QString text = QStringLiteral("<QX:web>Page:Name=\"a\"</QX>\r\n  x = 1\r\nv=~64\"QUJD\" w\r\n"
                                        "r=\"{\\rtf1 bold}\" s\r\n  If x Then\r\nend");
    control.setCodeType(1);
    setValue(text, int(text.indexOf("1\r\n")) + 1);
    const int before = box.wholeTextReads();
    box.typeText("ab\"");
    for (int vk : {VK_BACK, VK_LEFT, VK_DELETE, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END})
        box.pressKey(vk);
    box.pressKey(VK_LEFT, kShiftMask); // a selection
    box.pressKey(VK_RIGHT);
    box.typeText(" = tag."); // the member list opens and then follows the typing
    EXPECT_TRUE(state.mbListShown);
    box.typeText("V");
    box.pressKey(VK_ESCAPE);
    box.typeText("\rz-:>"); // Enter keeps the line's indentation
    box.pressKey(VK_Z, kCtrlMask);
    EXPECT_EQ(box.wholeTextReads(), before) << "typing, deleting, moving, selecting, Enter, Undo";

    const QString now = box.Text(); // the test's own read
    const int reads = box.wholeTextReads();
    box.mouseDown(kLeftButton, 0, 0, 0, int(now.indexOf("QUJD")) + 2);
    box.mouseUp(kLeftButton, 0, 0, 0);
    EXPECT_TRUE(state.mbInEncodedArea);
    for (int i = 0; i < 3; ++i)
        box.pressKey(VK_RIGHT);
    EXPECT_FALSE(state.mbInEncodedArea);
    const int afterRtf = int(now.indexOf(" s\r\n")) + 1;
    box.SelectRange(afterRtf, afterRtf + 1);
    box.pressKey(VK_RIGHT);
    EXPECT_TRUE(editBar.ButtonEnabled("cmdRTF"));
    box.typeText("=");
    EXPECT_EQ(box.wholeTextReads(), reads) << "moving into and out of values, typing after them";
}

} // namespace
} // namespace qx::test

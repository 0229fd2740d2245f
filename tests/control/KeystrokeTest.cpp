#include "support/ControllerFixture.h"

#include "assist/AssistPopups.h"
#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

constexpr int kKeyV = 0x56;

class KeystrokeTest : public ControllerFixture {
protected:
    int keyDown(int vk, int shift = 0) { return control.KeyDown(vk, shift), vk; }
    int keyPress(int ch) { return control.KeyPress(ch), ch; }
    void openObjectList() { // an object's members, nothing selected
        control.setCodeType(1);
        box.typeText("x = tag.");
        ASSERT_TRUE(state.mbListShown);
    }
    void openValueList() {
        Properties set;
        set.Add("Alpha", QString()), set.Add("Beta", QString());
        control.popups().OpenList(set, ListKind::Values, {});
    }
};

// Inside an encoded area only moves and the view's chords pass; entering and leaving it is raised once each.
TEST_F(KeystrokeTest, InsideAnEncodedAreaOnlyMovesAndTheViewChordsPass) {
    const QString text = QStringLiteral("x=~64\"QUJD\" y");
    setValue(text, 8);
    box.pressKey(VK_LEFT);
    ASSERT_TRUE(state.mbInEncodedArea && status.PanelEnabled("Encoded"));
    for (const auto& [vk, shift] : {std::pair{VK_BACK, 0}, {VK_DELETE, 0}, {VK_TAB, 0}, {kKeyV, kCtrlMask}})
        EXPECT_EQ(keyDown(vk, shift), kKeyRefused) << vk;
    EXPECT_EQ(keyPress('a'), kKeyRefused);
    for (int vk : {VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_UP, VK_DOWN, VK_ESCAPE})
        EXPECT_EQ(keyDown(vk, kShiftMask), vk);
    EXPECT_EQ(box.Text(), text);
    box.setSelStart(9);
    box.pressKey(VK_RIGHT);
    box.pressKey(VK_RIGHT);
    EXPECT_FALSE(state.mbInEncodedArea || status.PanelEnabled("Encoded"));
    EXPECT_EQ(shell.encodingAreaChanges, (QList<bool>{true, false}));

    const struct {
        int vk, shift;
        std::vector<bool> focusMoves; // true: forward
        std::vector<int> zooms;
    } chords[] = {{VK_TAB, kCtrlMask, {true}, {}},
                  {VK_TAB, kCtrlMask | kShiftMask, {false}, {}},
                  {VK_OEM_PLUS, kCtrlMask | kShiftMask, {}, {1}},
                  {VK_OEM_MINUS, kCtrlMask, {}, {-1}},
                  {VK_0, kCtrlMask, {}, {0}}};
    for (const int caretAt : {1, 7}) {
        for (const auto& c : chords) {
            setValue(text, caretAt);
            shell.focusMoves.clear(), shell.zooms.clear();
            box.pressKey(c.vk, c.shift);
            EXPECT_EQ(shell.focusMoves, c.focusMoves) << c.vk << " at " << caretAt;
            EXPECT_EQ(shell.zooms, c.zooms) << c.vk << " at " << caretAt;
            EXPECT_EQ(box.Text(), text) << c.vk << " at " << caretAt;
        }
    }
    setValue(text, 8);
    EXPECT_EQ(keyDown(VK_E, kCtrlMask), 0) << "the chord is taken: the box does not act on it as well";
    EXPECT_EQ(std::pair(state.mlLevel, box.SelStart()), std::pair(2, 0));
}

// Tab indents lines or the caret; closing tags go in capitals; Enter keeps the indentation; one step a key.
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
    };
    for (const auto& c : cases) {
        setValue(QString::fromLatin1(c.text), c.start);
        box.setSelLength(c.length);
        if (c.typed[0] == '\b')
            box.pressKey(VK_TAB, kShiftMask);
        else
            box.typeText(QString::fromLatin1(c.typed));
        EXPECT_EQ(box.Text(), c.after) << c.text << " + " << c.typed;
        EXPECT_EQ(std::pair(box.SelStart(), box.SelLength()), std::pair(c.selStart, c.selLength)) << c.text;
        control.Undo();
        EXPECT_EQ(box.Text(), c.text) << "one step: " << c.text << " + " << c.typed;
    }
}

// The list takes the moving keys and Escape; Enter or "(" accept (a space only after an object's member).
TEST_F(KeystrokeTest, TheKeyboardDrivesTheListAndAcceptsItsEntries) {
    openObjectList();
    MemoryListPopup& lst = *list();
    lst.setVisibleRows(5);
    const int last = lst.ListCount() - 1;
    const int keys[] = {VK_NEXT, VK_NEXT, VK_DOWN, VK_UP, VK_END, VK_PRIOR, VK_HOME};
    const int selected[] = {0, 5, 6, 5, last, last - 5, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ((box.pressKey(keys[i]), lst.ListIndex()), selected[i]) << keys[i];
    box.pressKey(VK_ESCAPE);
    EXPECT_FALSE(state.mbListShown);
    EXPECT_EQ(box.Text(), "x = tag.");

    setValue("");
    openObjectList();
    box.typeText("Pro");
    const QString entry = list()->Text();
    ASSERT_FALSE(entry.isEmpty());
    box.typeText(" ");
    EXPECT_EQ(box.Text(), "x = tag." + entry + " ");
    EXPECT_FALSE(state.mbListShown);
    box.typeText("tag.");
    box.pressKey(VK_DOWN);
    control.popups().ShowTip("GetResult:SQL");
    box.typeText("(");
    EXPECT_EQ(box.Text(), "x = tag." + entry + " tag." + list()->Entry(0) + "(");
    EXPECT_FALSE(state.mbListShown || state.mbTipShown);

    for (const int key : {VK_SPACE, VK_RETURN}) {
        setValue("v = ");
        openValueList();
        box.pressKey(VK_DOWN), box.pressKey(key);
        EXPECT_EQ(box.Text(), "v = ALPHA") << key;
        EXPECT_FALSE(state.mbListShown);
    }
}

// A locked box takes no change from the keys or the list; the host's Undo still works.
TEST_F(KeystrokeTest, ALockedBoxRefusesEveryChange) {
    setValue("ab\r\ncd </qx");
    control.RecordSnapshot();
    box.setLocked(true);
    box.SelectRange(0, 6);
    box.pressKey(VK_TAB);
    box.setSelStart(11);
    EXPECT_EQ(keyPress('>'), kKeyRefused);
    box.pressKey(VK_Z, kCtrlMask);
    openValueList();
    box.pressKey(VK_DOWN), box.pressKey(VK_RETURN);
    EXPECT_EQ(box.Text(), "ab\r\ncd </qx");
    control.Undo();
    EXPECT_EQ(state.mpcRedo->Count(), 1);
}

// One undo step per user change (Escape too), none for the host's calls and keys that change nothing.
TEST_F(KeystrokeTest, OneUndoStepPerUserChange) {
    const struct {
        const char* what;
        std::function<void()> act;
        int steps;
    } rows[] = {
        {"Escape", [&] { box.pressKey(VK_ESCAPE); }, 1},
        {"Delete", [&] { box.pressKey(VK_DELETE); }, 1},
        {"Delete at the end", [&] { box.setSelStart(int(box.Text().size())), box.pressKey(VK_DELETE); }, 0},
        {"Ctrl+Backspace at the start", [&] { box.setSelStart(0), box.pressKey(VK_BACK, kCtrlMask); }, 0},
        {"Shift+Delete, a cut", [&] { box.setSelLength(1), box.pressKey(VK_DELETE, kShiftMask); }, 1},
        {"Ctrl+V", [&] { keyDown(kKeyV, kCtrlMask), keyPress(22); }, 1},
        {"Value", [&] { control.setValue("  a\r\n  b"); }, 0},
        {"SetSelText", [&] { control.SetSelText("z"); }, 0},
    };
    for (const auto& row : rows) {
        setValue("  a\r\n  b", 3);
        state.mpcUndo->Clear();
        row.act();
        EXPECT_EQ(state.mpcUndo->Count(), row.steps) << row.what;
    }
}

} // namespace
} // namespace qx::test

// The keys a user presses all the time, and the notifications they raise, must not put the whole text of
// the box together: the box counts its Text() calls.
#include "support/ControllerFixture.h"

#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

// Tags, an encoded value, an RTF value and indented lines.
const QString kText = QStringLiteral("<QX:web>Page:Name=\"a\"</QX>\r\n"
                                     "  x = 1\r\n"
                                     "v=~64\"QUJD\" w\r\n"
                                     "r=\"{\\rtf1 bold}\" s\r\n"
                                     "  If x Then\r\n"
                                     "end");

class WholeTextReads : public ControllerFixture {};

TEST_F(WholeTextReads, CommonKeysReadNoWholeText) {
    control.setCodeType(1);
    setValue(kText, int(kText.indexOf("1\r\n")) + 1);
    const int before = box.wholeTextReads();

    box.typeText("ab");
    box.typeText("\"");
    box.pressKey(VK_BACK);
    box.pressKey(VK_LEFT);
    box.pressKey(VK_DELETE);
    for (int vk : {VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END})
        box.pressKey(vk);
    box.pressKey(VK_LEFT, kShiftMask); // a selection
    box.pressKey(VK_RIGHT);
    box.typeText(" = tag."); // the member list opens and then follows the typing
    EXPECT_TRUE(state.mbListShown);
    box.typeText("V");
    box.pressKey(VK_ESCAPE);
    box.typeText("\r"); // Enter keeps the line's indentation
    box.typeText("z-:>");
    box.pressKey(VK_Z, kCtrlMask);
    EXPECT_EQ(box.wholeTextReads(), before) << "typing, deleting, moving, selecting, Enter, Undo";

    const QString text = box.Text(); // the test's own read
    const int inEncoded = int(text.indexOf("QUJD")) + 2;
    const int afterRtf = int(text.indexOf(" s\r\n")) + 1;
    const int reads = box.wholeTextReads();
    box.mouseDown(kLeftButton, 0, 0, 0, inEncoded);
    box.mouseUp(kLeftButton, 0, 0, 0);
    EXPECT_TRUE(state.mbInEncodedArea);
    for (int i = 0; i < 3; ++i)
        box.pressKey(VK_RIGHT);
    EXPECT_FALSE(state.mbInEncodedArea);
    box.SelectRange(afterRtf, afterRtf + 1);
    box.pressKey(VK_RIGHT);
    EXPECT_TRUE(editBar.ButtonEnabled("cmdRTF"));
    box.typeText("=");
    EXPECT_EQ(box.wholeTextReads(), reads) << "moving into and out of values, typing after them";
}

} // namespace
} // namespace qx::test

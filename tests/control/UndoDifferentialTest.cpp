#include "support/ControllerFixture.h"

#include "platform/KeyCodes.h"

#include <QRandomGenerator>

namespace qx::test {
namespace {

struct Shot {
    QString text;
    int caret = 0;
};

// Random user edits, host edits and new values, then Undo all the way back and Redo all the way forward:
// every step must give back exactly the text and caret it had when it was recorded, as whole-text
// snapshots would.
class UndoDifferentialTest : public ControllerFixture {
protected:
    QRandomGenerator random;
    QList<Shot> expected; // one per step on the undo stack

    int pick(int bound) { return int(random.bounded(qMax(bound, 1))); }
    Shot now() const { return {box.Text(), box.SelStart()}; }

    void randomEdit() {
        const QStringList pieces = {"a", "\"", "<QX:", "</QX>", ":", " ", "\r\n", "=~64\"QUJD\"", "xyz"};
        box.setSelStart(pick(int(box.Text().size()) + 1));
        box.setSelLength(pick(4));
        const Shot before = now();
        const int steps = state.mpcUndo->Count();
        switch (pick(7)) {
        case 0:
        case 1:
            box.typeText(QString(QChar(u"ab c(\"x"[pick(7)])));
            break;
        case 2:
            box.pressKey(pick(2) ? VK_BACK : VK_DELETE);
            break;
        case 3:
            clipboard.setText(pieces[pick(int(pieces.size()))]);
            menu.choose("mnuPaste");
            break;
        case 4:
            control.SetSelText(pieces[pick(int(pieces.size()))]); // the host's: joins the pending step
            break;
        case 5:
            control.setValue("v" + pieces[pick(int(pieces.size()))] + before.text.left(pick(20)));
            break;
        default:
            box.pressKey(VK_TAB, pick(2) ? kShiftMask : 0);
            break;
        }
        const int added = state.mpcUndo->Count() - steps;
        ASSERT_LE(added, 1);
        if (added == 1)
            expected.append(before);
    }
};

// Fewer rounds than the stack's 100 steps, with several seeds.
class UndoDifferentialSeeds : public UndoDifferentialTest, public ::testing::WithParamInterface<int> {};

TEST_P(UndoDifferentialSeeds, UndoAndRedoWalkBackAndForthThroughTheExactTexts) {
    random.seed(quint32(GetParam()));
    control.setCodeType(GetParam() % 2);
    setValue("Dim a\r\n  b = \"<QX:x>y</QX>\"\r\nc", 0);
    for (int round = 0; round < 90; ++round) {
        randomEdit();
        // Keep the popups out of the way, as a user who ignores them would.
        control.HideList();
        control.HideTip();
    }
    ASSERT_FALSE(expected.isEmpty());

    QList<Shot> forward;
    while (!expected.isEmpty()) {
        forward.append(now());
        control.Undo();
        const Shot want = expected.takeLast();
        ASSERT_EQ(box.Text(), want.text) << "undo step " << forward.size();
        ASSERT_EQ(box.SelStart(), want.caret) << "undo step " << forward.size();
    }
    while (!forward.isEmpty()) {
        control.Redo();
        const Shot want = forward.takeLast();
        ASSERT_EQ(box.Text(), want.text) << "redo, " << forward.size() << " left";
        ASSERT_EQ(box.SelStart(), want.caret) << "redo, " << forward.size() << " left";
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoDifferentialSeeds, ::testing::Values(1, 2, 3, 4, 5, 6));

} // namespace
} // namespace qx::test

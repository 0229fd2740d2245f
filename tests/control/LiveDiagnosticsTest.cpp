#include "support/ControllerFixture.h"

#include "diagnostics/DiagnosticsChecker.h"
#include "platform/KeyCodes.h"

#include <qxTagEditor2/qxDatabase.h>

#include <algorithm>

namespace qx::test {
namespace {

class LiveDiagnosticsTest : public ControllerFixture {
protected:
    QList<int> starts(const QList<Diagnostic>& found) {
        QList<int> at;
        for (const Diagnostic& d : found)
            at.append(d.start);
        return at;
    }
    qsizetype announced() {
        return std::count_if(shell.notices.begin(), shell.notices.end(),
                             [](const auto& notice) { return notice.first == Notice::Diagnostics; });
    }
};

// Off, the checks run only when asked and mark nothing; live, the marks come at once, follow each edit and
// are checked again after the pause, and the host hears only of findings that changed.
TEST_F(LiveDiagnosticsTest, OnDemandOrLiveAfterEachBurstOfEdits) {
    control.setCodeType(1);
    setValue("If a Then\r\nx = \"b\r\n", 0);
    EXPECT_EQ(starts(control.Diagnostics()), QList<int>({0, 15}));
    EXPECT_TRUE(shell.marks().isEmpty() && announced() == 0);
    control.setLiveDiagnostics(true);
    EXPECT_EQ(starts(shell.marks()), QList<int>({0, 15}));
    EXPECT_EQ(announced(), 1);
    box.typeText("  ");
    EXPECT_EQ(starts(shell.marks()), QList<int>({2, 17})) << "moved with the edit before the check";
    box.setSelStart(18), box.typeText("q");
    EXPECT_EQ(shell.marks().value(1).length, 3) << "typed inside the open string, which grows";
    box.typeText("\b");
    EXPECT_TRUE(diagnosticsTimer.Enabled());
    diagnosticsTimer.fire();
    EXPECT_EQ(announced(), 1) << "the same findings";
    box.setSelStart(int(box.Text().size()));
    box.typeText("End If");
    diagnosticsTimer.fire();
    EXPECT_EQ(starts(shell.marks()), QList<int>({17}));
    EXPECT_EQ(announced(), 2);
    box.setSelStart(0), box.typeText("Next\r\n");
    box.setSelStart(int(box.Text().size())), box.typeText("\r\nx\r\ny\r\nz \"");
    diagnosticsTimer.fire();
    EXPECT_EQ(shell.marks(), DiagnosticsChecker().check(box.Text(), true, nullptr)) << "edits in two places";
    box.setSelStart(int(box.Text().size()));
    control.setCodeType(0);
    EXPECT_TRUE(control.Diagnostics().isEmpty()) << "tag markup has no script outside its values";
    control.setLiveDiagnostics(false);
    EXPECT_TRUE(shell.marks().isEmpty());
    box.typeText("<QX:A>");
    EXPECT_FALSE(diagnosticsTimer.Enabled());
    EXPECT_EQ(starts(control.Diagnostics()), QList<int>({int(box.Text().size()) - 6}));
}

// Findings that an edit or a new text takes away are a change the host hears of, though the check after it
// finds what the marks already show.
TEST_F(LiveDiagnosticsTest, FindingsAnEditTakesAwayAreAnnounced) {
    control.setCodeType(1);
    control.setLiveDiagnostics(true);
    setValue("x = \"b\r\ny = 1\r\n", 0);
    diagnosticsTimer.fire();
    ASSERT_EQ(starts(shell.marks()), QList<int>({4}));
    const qsizetype before = announced();
    box.SelectRange(0, 8), box.typeText("\b"); // the line with the open string
    diagnosticsTimer.fire();
    EXPECT_TRUE(shell.marks().isEmpty());
    EXPECT_EQ(announced(), before + 1);
    setValue("x = \"b\r\n"), diagnosticsTimer.fire();
    setValue("y = 2\r\n"), diagnosticsTimer.fire();
    EXPECT_TRUE(control.Diagnostics().isEmpty());
    EXPECT_EQ(announced(), before + 3) << "a new text without findings";
    box.typeText("z"), diagnosticsTimer.fire();
    EXPECT_EQ(announced(), before + 3) << "still none";
}

// F8 and Shift+F8 go round the findings; the tooltip names what is wrong, or helps with a known command.
TEST_F(LiveDiagnosticsTest, F8GoesToTheFindingsAndTheTooltipExplains) {
    qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    control.setDatabase(&database);
    setValue("<QX:DB>Conect:x</QX> <QX:DB>Connect:y</QX> </QX>", 0);
    EXPECT_TRUE(control.TakesChord(VK_F8, 0) && control.TakesChord(VK_F8, kShiftMask));
    for (const auto& [shift, caret] : {std::pair{0, 7}, {0, 43}, {0, 7}, {kShiftMask, 43}}) {
        int key = VK_F8;
        control.KeyDown(key, shift);
        EXPECT_EQ(std::pair(box.SelStart(), key), std::pair(caret, 0)) << shift;
    }
    EXPECT_TRUE(control.ToolTipAt(8).isEmpty() && control.ToolTipAt(29).isEmpty()) << "while live only";
    control.setLiveDiagnostics(true);
    EXPECT_EQ(control.ToolTipAt(8), "DB has no command \"Conect\"; did you mean \"Connect\"?");
    EXPECT_TRUE(control.ToolTipAt(29).startsWith("Connect")) << control.ToolTipAt(29).toStdString();
    EXPECT_TRUE(control.ToolTipAt(3).isEmpty());
}

} // namespace
} // namespace qx::test

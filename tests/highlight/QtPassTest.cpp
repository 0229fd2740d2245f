// A pass on the Qt code box: colours arrive as layout formats without editing the document.
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightScheduler.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "platform/WindowLock.h"
#include "platform/memory/ManualTimer.h"
#include "platform/qt/QtCodeBox.h"
#include "support/TempSettings.h"

#include <QTextDocument>
#include <gtest/gtest.h>

namespace qx::test {
namespace {

struct ChangeCounter : CodeBoxEvents {
    int changes = 0;
    void Change() override { ++changes; }
};

class QtPassTest : public ::testing::Test {
protected:
    TempSettings settings;
    QtCodeBox box;
    ManualTimer timer;
    EditorState state;
    HighlightScheduler scheduler{box, timer, state};
    ChangeCounter counter;

    void SetUp() override {
        state.mlCodeType = CodeTypes::VB;
        box.resize(400, 300);
        box.show();
        box.setText(QStringLiteral("Dim a\r\nx = 1 ' one\r\nIf x Then y\r\n"));
        setEvents(box, &counter);
    }
};

TEST_F(QtPassTest, ColoursWithoutEditingTheDocument) {
    box.setSelStart(9);
    scheduler.HighlightPass();
    EXPECT_EQ(box.FormatAt(0).Color, clsVBSyntaxHighlight::KeywordColour);
    EXPECT_EQ(box.FormatAt(9).Color, clsVBSyntaxHighlight::OperatorColour);
    EXPECT_EQ(box.FormatAt(13).Color, clsVBSyntaxHighlight::CommentColour);
    EXPECT_EQ(counter.changes, 0);
    EXPECT_FALSE(box.document()->isModified());
    EXPECT_FALSE(box.document()->isUndoAvailable());
    EXPECT_EQ(box.SelStart(), 9);
    EXPECT_EQ(box.SelLength(), 0);
    EXPECT_FALSE(box.hasPendingFormats());
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
    EXPECT_TRUE(box.updatesEnabled());
}

TEST_F(QtPassTest, APassAfterATypedCharacterTouchesOnlyItsLine) {
    scheduler.HighlightPass();
    box.setSelStart(5);
    box.setSelText(QStringLiteral("="));
    EXPECT_EQ(box.FormatAt(5).Color, Colour(0)); // typed plain black
    scheduler.HighlightPass();
    EXPECT_EQ(box.lastAppliedBlockCount(), 1);
    EXPECT_EQ(box.FormatAt(5).Color, clsVBSyntaxHighlight::OperatorColour);
    EXPECT_EQ(box.FormatAt(26).Color, clsVBSyntaxHighlight::KeywordColour); // "Then" moved on by one
}

} // namespace
} // namespace qx::test

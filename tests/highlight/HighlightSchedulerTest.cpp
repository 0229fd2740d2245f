// When passes run, which processor they use, and a pass on the Qt box.
#include "highlight/HighlightScheduler.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "platform/WindowLock.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/QtCodeBox.h"
#include "support/TempSettings.h"

#include <QTextDocument>
#include <gtest/gtest.h>

#include <optional>

namespace qx::test {
namespace {

constexpr Colour kKeyword = clsVBSyntaxHighlight::KeywordColour;
constexpr Colour kOperator = clsVBSyntaxHighlight::OperatorColour;

class SchedulerTest : public ::testing::Test {
protected:
    TempSettings settings;
    MemoryCodeBox box;
    ManualTimer timer;
    EditorState state;
    std::optional<HighlightScheduler> scheduler;

    void SetUp() override {
        state.mlCodeType = CodeTypes::VB;
        scheduler.emplace(box, timer, state);
        box.setText(QStringLiteral("Dim x"));
    }
    Colour colourAt(int pos) const { return box.FormatAt(pos).Color; }
    int passes() const { return scheduler->passCount(); }
    void append(const char* text) {
        box.setSelStart(box.TextLength());
        box.setSelText(QString::fromLatin1(text));
    }
};

// A burst of requests gives one pass 150 ms after the last; a pass asked for while busy becomes a request.
TEST_F(SchedulerTest, ABurstOfRequestsOrAPassWhileBusyGivesOnePassAfterTheLastOne) {
    for (int i = 0; i < 5; ++i) {
        scheduler->RequestDelayedPass();
        timer.advance(100);
    }
    timer.advance(49);
    EXPECT_EQ(passes(), 0);
    timer.advance(1);
    EXPECT_EQ(passes(), 1);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(colourAt(0), kKeyword);

    state.mbBusy = true;
    scheduler->HighlightPass();
    EXPECT_EQ(passes(), 1);
    state.mbBusy = false;
    timer.advance(150);
    EXPECT_EQ(passes(), 2);
}

// Switched off, or with a code type that has no processor, a pass leaves the colours as they are.
TEST_F(SchedulerTest, NoPassWhenSwitchedOffOrForAnUnknownCodeType) {
    scheduler->HighlightPass();
    append(" Then");
    state.mbSyntaxHighlight = false;
    scheduler->HighlightPass();
    state.mbSyntaxHighlight = true;
    state.mlCodeType = 5;
    scheduler->HighlightPass();
    EXPECT_EQ(passes(), 1);
    EXPECT_EQ(colourAt(0), kKeyword);
    EXPECT_EQ(colourAt(7), Colour(0));
    EXPECT_FALSE(state.mbBusy);
    state.mlCodeType = CodeTypes::VB;
    scheduler->HighlightPass();
    EXPECT_EQ(colourAt(7), kKeyword);
}

// Auto looks at the first four characters only: an opener in capitals or an RTF start make it tags.
TEST_F(SchedulerTest, TheCodeTypeChoosesTheProcessorAndAutoLooksAtTheText) {
    box.setText(QStringLiteral("<QX:A> Dim"));
    state.mlTagColour = 0x00ABCDEF;
    for (const int codeType : {int(CodeTypes::Kelvane), int(CodeTypes::Auto), int(CodeTypes::VB)}) {
        state.mlCodeType = codeType;
        scheduler->HighlightPass();
        const bool tags = codeType != CodeTypes::VB;
        EXPECT_EQ(colourAt(tags ? 3 : 0), tags ? Colour(0x00ABCDEF) : kOperator) << codeType;
        EXPECT_EQ(colourAt(7), tags ? Colour(0) : kKeyword) << codeType;
    }
    state.mlCodeType = CodeTypes::Auto;
    for (const char* text : {"{\\rtf1\r\n<QX:A>", " <QX:A>", "<qx:A>"}) {
        box.setText(QString::fromLatin1(text));
        EXPECT_EQ(scheduler->EffectiveCodeType(), *text == '{' ? CodeTypes::Kelvane : CodeTypes::VB) << text;
    }
}

TEST_F(SchedulerTest, ATimerThatOutlivesTheSchedulerNoLongerCallsIt) {
    scheduler->RequestDelayedPass();
    scheduler.reset();
    timer.fire();
    EXPECT_EQ(colourAt(0), Colour(0));
}

// On the Qt box the colours arrive as layout formats: the document, its history and the caret stay.
TEST(QtPass, ColoursWithoutEditingTheDocument) {
    const TempSettings settings;
    QtCodeBox box;
    ManualTimer timer;
    EditorState state;
    state.mlCodeType = CodeTypes::VB;
    HighlightScheduler scheduler{box, timer, state};
    struct : CodeBoxEvents {
        int changes = 0;
        void Change() override { ++changes; }
    } counter;
    box.setText(QStringLiteral("Dim a\r\nx = 1 ' one\r\n"));
    setEvents(box, &counter);
    box.setSelStart(9);
    scheduler.HighlightPass();
    EXPECT_EQ(box.FormatAt(0).Color, kKeyword);
    EXPECT_EQ(box.FormatAt(13).Color, clsVBSyntaxHighlight::CommentColour);
    EXPECT_FALSE(counter.changes || box.document()->isModified() || box.document()->isUndoAvailable());
    EXPECT_TRUE(box.SelStart() == 9 && WindowLock::lockedWindow() == nullptr && box.updatesEnabled());
    setEvents(box, nullptr);
}

} // namespace
} // namespace qx::test

#include "highlight/HighlightScheduler.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "hostlib/Library.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCodeBox.h"
#include "support/TempSettings.h"

#include <QFile>
#include <gtest/gtest.h>

#include <optional>

namespace qx::test {
namespace {

class SchedulerTest : public ::testing::Test {
protected:
    TempSettings settings;
    MemoryCodeBox box;
    ManualTimer timer;
    EditorState state;
    bool& busy = state.mbBusy;
    bool& on = state.mbSyntaxHighlight;
    int& codeType = state.mlCodeType;
    std::optional<HighlightScheduler> scheduler;

    void SetUp() override {
        codeType = CodeTypes::VB;
        scheduler.emplace(box, timer, state);
        box.setText(QStringLiteral("Dim x"));
    }

    Colour colourAt(int pos) const { return box.FormatAt(pos).Color; }
    static QString userValue() {
        return Library::instance().ReadRegistry(
            RegistryRoot::CurrentUser, QLatin1String(HighlightSettings::UserKey),
            QLatin1String(HighlightSettings::HighlightingValue), QString());
    }
};

TEST_F(SchedulerTest, ABurstOfRequestsGivesOnePassAfterTheLastOne) {
    EXPECT_EQ(timer.Interval(), 150);
    for (int i = 0; i < 5; ++i) {
        scheduler->RequestDelayedPass();
        timer.advance(100);
    }
    EXPECT_EQ(scheduler->passCount(), 0);
    timer.advance(49);
    EXPECT_EQ(scheduler->passCount(), 0);
    timer.advance(1);
    EXPECT_EQ(scheduler->passCount(), 1);
    EXPECT_FALSE(timer.Enabled());
    timer.advance(1000);
    EXPECT_EQ(scheduler->passCount(), 1);
    EXPECT_EQ(colourAt(0), clsVBSyntaxHighlight::KeywordColour);
}

TEST_F(SchedulerTest, APassWhileBusyBecomesADelayedRequest) {
    busy = true;
    scheduler->HighlightPass();
    EXPECT_EQ(scheduler->passCount(), 0);
    EXPECT_TRUE(timer.Enabled());
    busy = false;
    timer.advance(150);
    EXPECT_EQ(scheduler->passCount(), 1);
    EXPECT_FALSE(busy);
}

TEST_F(SchedulerTest, APassHoldsTheBusyFlagForItsWholeLength) {
    struct BusyWatch : CodeBoxEvents {
        const bool* busy = nullptr;
        int seen = 0, seenBusy = 0;
        void SelChange() override {
            ++seen;
            seenBusy += *busy ? 1 : 0;
        }
    } watch;
    watch.busy = &busy;
    box.setSelStart(2);
    setEvents(box, &watch);
    scheduler->HighlightPass();
    setEvents(box, nullptr);
    EXPECT_GT(watch.seen, 0);
    EXPECT_EQ(watch.seenBusy, watch.seen);
    EXPECT_FALSE(busy);
}

TEST_F(SchedulerTest, SwitchedOffItLeavesTheColoursAsTheyAre) {
    scheduler->HighlightPass();
    on = false;
    box.setSelStart(5);
    box.setSelText(QStringLiteral(" Then"));
    scheduler->HighlightPass();
    timer.fire();
    EXPECT_EQ(scheduler->passCount(), 1);
    EXPECT_EQ(colourAt(0), clsVBSyntaxHighlight::KeywordColour);
    EXPECT_EQ(colourAt(7), Colour(0));
    on = true;
    scheduler->HighlightPass();
    EXPECT_EQ(colourAt(7), clsVBSyntaxHighlight::KeywordColour);
}

TEST_F(SchedulerTest, TheCodeTypeChoosesTheProcessorAndAutoLooksAtTheText) {
    box.setText(QStringLiteral("\r\n<QX:A> Dim"));
    state.mlTagColour = 0x00ABCDEF;
    codeType = CodeTypes::Kelvane;
    scheduler->HighlightPass();
    EXPECT_EQ(colourAt(2), Colour(0x00ABCDEF));
    EXPECT_EQ(colourAt(9), Colour(0));
    codeType = CodeTypes::VB;
    scheduler->HighlightPass();
    EXPECT_EQ(colourAt(2), clsVBSyntaxHighlight::OperatorColour);
    EXPECT_EQ(colourAt(9), clsVBSyntaxHighlight::KeywordColour);

    codeType = CodeTypes::Auto;
    box.setText(QStringLiteral("<QX:A>"));
    EXPECT_EQ(scheduler->EffectiveCodeType(), CodeTypes::Kelvane);
    scheduler->HighlightPass();
    EXPECT_EQ(colourAt(3), Colour(0x00ABCDEF));
    box.setText(QStringLiteral("<qx:A>"));
    scheduler->HighlightPass();
    EXPECT_EQ(colourAt(0), clsVBSyntaxHighlight::OperatorColour);
}

TEST_F(SchedulerTest, AnUnknownCodeTypeLeavesTheTextAsItIs) {
    scheduler->HighlightPass();
    codeType = 5;
    box.setSelStart(5);
    box.setSelText(QStringLiteral(" Then"));
    scheduler->HighlightPass();
    EXPECT_EQ(scheduler->passCount(), 1);
    EXPECT_EQ(colourAt(7), Colour(0));
    EXPECT_FALSE(busy);
}

TEST_F(SchedulerTest, ClickingTheCheckBoxStoresTheSettingFocusesTheBoxAndColours) {
    on = false;
    scheduler->SyntaxHighlightClicked(0);
    EXPECT_EQ(userValue(), QStringLiteral("0"));
    EXPECT_TRUE(box.HasFocus());
    EXPECT_EQ(scheduler->passCount(), 0);
    on = true;
    scheduler->SyntaxHighlightClicked(1);
    EXPECT_EQ(userValue(), QStringLiteral("1"));
    EXPECT_EQ(scheduler->passCount(), 1);
}

TEST_F(SchedulerTest, ASettingThatCannotBeStoredDoesNotStopTheClick) {
    QFile blocker(settings.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    qputenv("QXTE_USER_SETTINGS", (blocker.fileName() + QStringLiteral("/user.ini")).toUtf8());
    scheduler->SyntaxHighlightClicked(1);
    EXPECT_EQ(scheduler->passCount(), 1);
}

TEST_F(SchedulerTest, ATimerThatOutlivesTheSchedulerNoLongerCallsIt) {
    scheduler->RequestDelayedPass();
    scheduler.reset();
    timer.fire();
    EXPECT_EQ(colourAt(0), Colour(0));
}

} // namespace
} // namespace qx::test

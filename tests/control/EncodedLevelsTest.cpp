#include "support/ControllerFixture.h"

#include "hostlib/Library.h"
#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

// A value holding `inner` encoded, after one letter.
QString encodedValue(const QString& letter, const QString& inner) {
    return letter + "=~64\"" + Library::instance().Base64Encode(inner) + "\"";
}

class EncodedLevelsTest : public ControllerFixture {
protected:
    // The caret placed by a key, so that the buttons and panels follow it.
    void showAt(const QString& text, int caret) { setValue(text, caret), box.pressKey(VK_SHIFT); }
    void moveTo(int caret) { box.setSelStart(caret), box.pressKey(VK_SHIFT); }
    void edit() { editBar.click("cmdEditEncoded"); }
    void back() { editBar.click("cmdBack"); }
    // The level, its panel and the Back button, which has something to do above level 1.
    void expectLevel(int level, const char* when) {
        EXPECT_EQ(state.mlLevel, level) << when;
        EXPECT_EQ(status.PanelText("Level"), QString::number(level)) << when;
        EXPECT_EQ(editBar.ButtonEnabled("cmdBack"), level > 1) << when;
    }
};

// Edit steps in only between the marker's quote and a closing quote, with no "<" or ":" between them.
TEST_F(EncodedLevelsTest, EditStepsInExactlyWhenTheCaretIsInsideTheArea) {
    const struct {
        const char* text;
        int caret;
        bool inside;
    } cases[] = {
        {"A=~64\"QUJD\" y", 5, false},  {"A=~64\"QUJD\" y", 6, true}, {"A=~64\"QUJD\" y", 10, true},
        {"A=~64\"QUJD\" y", 11, false}, {"=~64\"QUJD\"", 4, false},   {"x=~64\"QU:D\"", 8, false},
        {"x=~64\"QU<D\"", 8, false},    {"x=~64\"QUJD", 8, false},    {"x=\"QUJD\"", 5, false},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        showAt(text, c.caret);
        EXPECT_FALSE(editBar.ButtonEnabled("cmdBack")) << "the host's text ends the level stepped into";
        EXPECT_EQ(state.mbInEncodedArea, c.inside) << c.text << " at " << c.caret;
        EXPECT_EQ(editBar.ButtonEnabled("cmdEditEncoded"), c.inside) << c.text << " at " << c.caret;
        edit();
        EXPECT_EQ(state.mlLevel, c.inside ? 2 : 1) << c.text << " at " << c.caret;
        EXPECT_EQ(box.Text(), c.inside ? "ABC" : text) << c.text << " at " << c.caret;
    }
}

// Stepping in leaves no step; each Back writes one level's encoding back, selected; Value folds the rest.
TEST_F(EncodedLevelsTest, NestedLevelsAreEditedAndWrittenBackInTurn) {
    const QString middle = encodedValue("B", "in");
    const QString outer = encodedValue("A", middle) + " y";
    showAt(outer, 7);
    box.setSelStart(int(outer.size()));
    edit();
    back();
    EXPECT_EQ(box.Text(), outer) << "an out-of-date Edit button, Back at level 1";

    moveTo(7);
    const int passes = control.passCount(), timerStarts = highlightTimer.starts();
    box.pressKey(VK_E, kCtrlMask);
    ASSERT_EQ(box.Text(), middle);
    expectLevel(2, "in");
    EXPECT_FALSE(state.mbChanged || state.mpcUndo->Count() || editBar.ButtonEnabled("cmdEditEncoded"));
    EXPECT_EQ(control.passCount(), passes);
    EXPECT_EQ(highlightTimer.starts(), timerStarts + 1);
    moveTo(7);
    edit();
    ASSERT_EQ(box.Text(), "in");

    box.setSelStart(2);
    box.typeText("ner");
    box.pressKey(VK_LEFT, kAltMask); // steps back out, as the Back button does
    const QString newMiddle = encodedValue("B", "inner");
    EXPECT_EQ(box.Text(), newMiddle);
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelText(), Library::instance().Base64Encode("inner")) << "the new content stays selected";
    expectLevel(2, "one back");
    EXPECT_TRUE(editBar.ButtonEnabled("cmdEditEncoded") && state.mbChanged);
    EXPECT_EQ(control.passCount(), passes + 1);

    EXPECT_EQ(control.Value(), encodedValue("A", newMiddle) + " y");
    expectLevel(1, "Value");
    EXPECT_EQ(state.masLevelText, (QStringList{QString(), QString()}));
    EXPECT_EQ(shell.encodingAreaChanges, (QList<bool>{true, false, true, false, true}));
}

// A visit without an edit puts the stored bytes back; content that is not Base64 is reported once, no change.
TEST_F(EncodedLevelsTest, AVisitWithoutAnEditKeepsTheStoredBytesAndBadContentChangesNothing) {
    for (const char* stored : {"QU JD", "QUJ"}) {
        const QString text = QStringLiteral("A=~64\"%1\" z").arg(QLatin1String(stored));
        showAt(text, 7);
        box.setSelLength(2);
        state.mbChanged = false;
        edit();
        back();
        EXPECT_EQ(box.Text(), text) << stored;
        EXPECT_EQ(box.SelText(), stored[2] == ' ' ? stored : "UJ") << "as it was";
        EXPECT_FALSE(state.mbChanged || state.mbBusy) << stored;
    }
    EXPECT_EQ(messages.messages().size(), 1);
    state.mbShowMessages = false; // the host shows its own
    showAt("A=~64\"QUJ\" z", 7), edit();
    EXPECT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(shell.requested.size(), 2) << "the host hears of each message";
}

} // namespace
} // namespace qx::test

// The public surface of the control: its properties, what it stores, the per-user view settings, its
// window's layout and the focus.
#include "ShownEditor.h"

#include "hostlib/Library.h"
#include "platform/qt/QtForegroundWindow.h"
#include "platform/qt/QtPopupMenu.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/Twips.h"
#include "widgets/QtEditBar.h"

#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace qx::test {
namespace {

class EditorSurfaceTest : public ShownEditor {
protected:
    QPushButton* button(const char* name) { return d.picEditBar->button(QLatin1String(name)); }
    QAction* action(const char* name) { return d.mnuPopup->item(QLatin1String(name)); }
    int passes() { return d.controller().passCount(); }
    template <typename Entries> static QStringList namesOf(const Entries& entries) {
        QStringList names;
        for (const auto& entry : entries)
            names << entry.name;
        return names;
    }
};

// A fresh control; the Find flags start False although the button and the items are shown.
TEST_F(EditorSurfaceTest, AFreshControlAndItsFlags) {
    EXPECT_FALSE(editor->Changed());
    EXPECT_EQ(editor->TagColour(), 0x000080u);
    EXPECT_EQ(editor->EncodeColour(), 0x808080u);
    EXPECT_EQ(editor->CodeType(), qxcSCRIPTEditor::ctKelvane);
    EXPECT_FALSE(editor->EditingEncodedArea() || editor->Locked() || editor->Database());
    EXPECT_EQ(editor->font().family(), "Tahoma");
    EXPECT_DOUBLE_EQ(d.txtCode->font().pointSizeF(), 11.25);
    EXPECT_TRUE(QFontInfo(d.txtCode->font()).fixedPitch());
    for (const auto& [panel, text] : {std::pair{"Level", "1"}, {"Encoded", "Encoded"}, {"Line", "Line: "}})
        EXPECT_EQ(d.sbr->PanelText(panel), text) << panel;
    EXPECT_FALSE(d.sbr->PanelEnabled("Encoded"));

    EXPECT_FALSE(editor->ShowFindButton() || editor->FindMenusEnabled());
    EXPECT_FALSE(button("cmdFind")->isHidden());
    EXPECT_TRUE(action("mnuFind")->isVisible() && action("mnuFindNext")->isEnabled());
    editor->setShowFindButton(false);
    editor->setFindMenusEnabled(false);
    EXPECT_TRUE(button("cmdFind")->isHidden());
    EXPECT_FALSE(action("mnuFind")->isVisible() || action("mnuFindNext")->isEnabled());
    editor->setLocked(true);
    EXPECT_TRUE(editor->txtCode().Locked());
    editor->setRTFEditVisible(false);
    EXPECT_TRUE(button("cmdRTF")->isHidden());
    EXPECT_FALSE(editor->RTFEditVisible());
}

// Which setters colour the text again at once, and that Value and SetSelText are the host's own changes.
TEST_F(EditorSurfaceTest, SettersColourAgainOnlyWhenSomethingChanged) {
    const int start = passes();
    editor->setCodeType(qxcSCRIPTEditor::ctKelvane);
    editor->setAllVBCode(false);
    EXPECT_EQ(passes(), start);
    editor->setAllVBCode(true);
    EXPECT_EQ(editor->CodeType(), qxcSCRIPTEditor::ctVB);
    editor->setTagColour(0x000080);
    editor->setEncodeColour(0x112233);
    editor->setValue("abcdef");
    EXPECT_EQ(passes(), start + 4);
    EXPECT_FALSE(editor->Changed());
    EXPECT_EQ(d.state().mpcUndo->Count(), 0);
    editor->txtCode().SelectRange(1, 3);
    editor->SetSelText("XY");
    EXPECT_EQ(editor->Value(), "aXYdef");

    editor->setValue("<qx:VBS>x</QX>");
    editor->setCodeType(qxcSCRIPTEditor::ctKelvane);
    EXPECT_EQ(editor->EffectiveCodeType(), qxcSCRIPTEditor::ctKelvane);
    editor->setCodeType(qxcSCRIPTEditor::ctAuto);
    EXPECT_EQ(editor->EffectiveCodeType(), qxcSCRIPTEditor::ctVB);
}

TEST_F(EditorSurfaceTest, PropertiesAreWrittenAndReadInOrderWithTheirDefaults) {
    const QStringList order = {"RTFEditVisible", "ShowHiddenHandlers", "CodeType",         "Locked",
                               "EncodeColour",   "TagColour",          "FindMenusEnabled", "ShowFindButton"};
    MemoryPropertyBag written;
    editor->WriteProperties(written);
    ASSERT_EQ(namesOf(written.writes()), order);
    EXPECT_EQ(written.writes()[2].defaultValue, QVariant(0));
    EXPECT_EQ(written.writes()[6].defaultValue, QVariant(true));
    // A fresh control keeps its colours and, because its flags are False, the two Find flags.
    EXPECT_EQ(namesOf(written.stored()), (QStringList{"RTFEditVisible", "EncodeColour", "TagColour",
                                                      "FindMenusEnabled", "ShowFindButton"}));

    MemoryPropertyBag bag;
    bag.set("CodeType", 1);
    bag.set("FindMenusEnabled", false);
    bag.set("TagColour", 0x0000FF);
    editor->setLocked(true);
    const int start = passes();
    editor->ReadProperties(bag);
    ASSERT_EQ(namesOf(bag.reads()), order);
    EXPECT_EQ(bag.reads()[3].defaultValue, QVariant(true)) << "the box's current flag";
    EXPECT_EQ(bag.reads()[4].defaultValue.toUInt(), 0x808080u);
    EXPECT_EQ(editor->CodeType(), qxcSCRIPTEditor::ctVB);
    EXPECT_EQ(passes(), start) << "a stored code type is read without a pass";
    EXPECT_EQ(editor->TagColour(), 0x0000FFu);
    EXPECT_TRUE(editor->Locked());
    EXPECT_FALSE(editor->RTFEditVisible());
    // The stored Find flags set the fields only; what is shown stays as it was.
    EXPECT_FALSE(editor->FindMenusEnabled());
    EXPECT_TRUE(editor->ShowFindButton());
    EXPECT_TRUE(action("mnuFind")->isVisible());
}

// A damaged store gives the defaults; numbers given as text, as an INI-backed store returns them, are read.
TEST_F(EditorSurfaceTest, DamagedStoredValuesReadAsTheirDefaults) {
    for (const QVariant& stored :
         {QVariant(7), QVariant(-1), QVariant("VB"), QVariant(1.5), QVariant(1e300)}) {
        MemoryPropertyBag bag;
        bag.set("CodeType", stored);
        editor->setCodeType(qxcSCRIPTEditor::ctVB);
        editor->ReadProperties(bag);
        EXPECT_EQ(editor->CodeType(), qxcSCRIPTEditor::ctKelvane) << stored.toString().toStdString();
    }
    for (const QVariant& stored :
         {QVariant("red"), QVariant(qlonglong(1) << 40), QVariant(-1), QVariant(0x1000000), QVariant(2.5)}) {
        MemoryPropertyBag bag;
        bag.set("TagColour", stored);
        bag.set("EncodeColour", stored);
        editor->ReadProperties(bag);
        EXPECT_EQ(editor->TagColour(), 0x000080u) << stored.toString().toStdString();
        EXPECT_EQ(editor->EncodeColour(), 0x808080u) << stored.toString().toStdString();
    }
    MemoryPropertyBag bag;
    bag.set("CodeType", "2");
    bag.set("TagColour", "255");
    editor->ReadProperties(bag);
    EXPECT_EQ(editor->CodeType(), qxcSCRIPTEditor::ctAuto);
    EXPECT_EQ(editor->TagColour(), 255u);
}

// The per-user values a new control reads: only the text "1" means Full View, any number but 0 means
// highlighting on; reading writes nothing, and the menu's view item changes this control alone.
TEST_F(EditorSurfaceTest, TheUsersViewSettings) {
    const QString key = QStringLiteral("Software\\Kelvane\\Script Editor");
    Library& library = Library::instance();
    const auto stored = [&](const char* name) {
        return library.ReadRegistry(RegistryRoot::CurrentUser, key, QLatin1String(name), "?");
    };
    EXPECT_EQ(stored("FullView"), "?");
    const struct {
        const char* name;
        const char* value;
        bool fullView, highlighting;
    } cases[] = {{"FullView", "true", false, true},
                 {"FullView", " 1", false, true},
                 {"FullView", "1", true, true},
                 {"Syntax Highlighting", "0", true, false},
                 {"Syntax Highlighting", "abc", true, false},
                 {"Syntax Highlighting", "-1e20", true, true},
                 {"Syntax Highlighting", "&HFFFFFFFFFFFF", true, true}};
    for (const auto& c : cases) {
        library.WriteRegistry(RegistryRoot::CurrentUser, key, QLatin1String(c.name), QLatin1String(c.value));
        qxcSCRIPTEditor fresh;
        EditorPrivate& f = EditorPrivate::of(fresh);
        EXPECT_EQ(fresh.FullView(), c.fullView) << c.value;
        EXPECT_EQ(f.chkSyntaxHighlight->isChecked(), c.highlighting) << c.value;
        EXPECT_EQ(f.mnuPopup->ItemText(MenuItem::FullView), c.fullView ? "Advanced View" : "Full View");
    }

    auto first = std::make_unique<qxcSCRIPTEditor>();
    first->setFullView(false);
    EXPECT_EQ(stored("FullView"), "0");
    EditorPrivate::of(*first).mnuPopup->item(MenuItem::FullView)->trigger();
    EXPECT_TRUE(first->FullView());
    EXPECT_EQ(stored("FullView"), "0") << "the menu's item is for this control only";
    first.reset();
    EXPECT_FALSE(qxcSCRIPTEditor().FullView());

    // The highlight item flips the check box, which keeps the choice and colours again when switched on.
    QAction* highlight = action("mnuSyntaxHighlight");
    highlight->trigger();
    EXPECT_EQ(highlight->text(), "Enable Syntax Highlight");
    EXPECT_EQ(stored("Syntax Highlighting"), "0");
    const int start = passes();
    highlight->trigger();
    EXPECT_TRUE(d.chkSyntaxHighlight->isChecked());
    EXPECT_EQ(stored("Syntax Highlighting"), "1");
    EXPECT_EQ(passes(), start + 1);
}

// The bars and the box stack up in both views; a control too small for its bars leaves the box alone;
// the buttons keep their twips places and Find keeps to the right end.
TEST_F(EditorSurfaceTest, TheWindowsLayout) {
    qxcSCRIPTEditor control;
    control.resize(600, 400);
    control.show();
    EditorPrivate& c = EditorPrivate::of(control);
    const auto px = [&](int twips) { return Twips::toPixels(twips, &control); };
    const int bar = px(615), status = px(375), margin = px(120);
    EXPECT_EQ(c.picEditBar->geometry(), QRect(0, 0, 600, bar));
    EXPECT_EQ(c.txtCode->geometry(), QRect(0, bar, 600, 400 - bar - status));
    EXPECT_EQ(c.sbr->geometry(), QRect(0, 400 - status, 600, status));
    EXPECT_EQ(c.picEditBar->button("cmdEditEncoded")->geometry(),
              QRect(QPoint(px(960), margin), QSize(px(735), px(375))));
    EXPECT_EQ(c.picEditBar->button("cmdFind")->x(), 600 - px(735) - margin);
    EXPECT_EQ(c.picEditBar->button("cmdBack")->text(), "&Back");
    EXPECT_EQ(c.sbr->panel("Line")->width(), px(1000));

    control.setFullView(true);
    EXPECT_FALSE(c.picEditBar->isVisible());
    EXPECT_EQ(c.txtCode->geometry(), QRect(0, 0, 600, 400 - status));
    control.resize(700, 400);
    control.setFullView(false);
    EXPECT_EQ(c.txtCode->geometry().top(), bar);
    EXPECT_EQ(c.picEditBar->button("cmdFind")->x(), 700 - px(735) - margin);

    const QRect box = c.txtCode->geometry();
    control.resize(300, bar + status - 5);
    EXPECT_EQ(c.txtCode->geometry(), box);
    EXPECT_EQ(c.picEditBar->width(), 300) << "the bars still follow the control";
}

// Focus given to the control reaches the box and starts the foreground check; leaving the control for
// another field of the window stops it and unloads the popups once; a key on the control's own surface
// does nothing; a right click opens the menu.
TEST_F(EditorSurfaceTest, FocusKeysAndClicksOnTheControl) {
    before->setFocus();
    editor->setFocus();
    EXPECT_TRUE(d.txtCode->hasFocus());
    EXPECT_TRUE(d.tmrForegroundCheck.Enabled());
    EXPECT_EQ(d.controller().foregroundCheck().mhForegroundWindow, QtForegroundWindow::handleOf(&window));
    const int unloads = d.controller().popupUnloads();
    after->setFocus();
    EXPECT_FALSE(d.tmrForegroundCheck.Enabled());
    d.txtCode->setFocus();
    d.FocusChanged(d.txtCode, nullptr); // leaving the application is the foreground check's business
    EXPECT_EQ(d.controller().popupUnloads(), unloads + 1);

    editor->setValue("abc");
    QTest::keyClick(editor, Qt::Key_X);
    QTest::keyClick(d.picEditBar, Qt::Key_Delete);
    EXPECT_EQ(editor->Value(), "abc");
    QTest::mouseClick(d.txtCode->viewport(), Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_TRUE(d.mnuPopup->isVisible());
    d.mnuPopup->hide();
}

} // namespace
} // namespace qx::test

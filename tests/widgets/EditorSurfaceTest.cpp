// The control's public surface: its properties, what it stores, the view settings, its layout and focus.
#include "ShownEditor.h"

#include "hostlib/Library.h"
#include "platform/qt/QtForegroundWindow.h"
#include "platform/qt/QtPopupMenu.h"
#include "platform/qt/QtStatusBar.h"

#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QMessageBox>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace qx::test {
namespace {

class EditorSurfaceTest : public ShownEditor {
protected:
    QAction* action(const char* name) { return d.mnuPopup->item(QLatin1String(name)); }
    int passes() { return d.controller().passCount(); }
};

// A fresh control (its Find flags start False); each setter reaches the controller, some colouring at once.
TEST_F(EditorSurfaceTest, AFreshControlAndItsSetters) {
    EXPECT_FALSE(editor->Changed() || editor->EditingEncodedArea() || editor->Locked() || editor->Database());
    EXPECT_TRUE(editor->font().pointSizeF() == 8.25 && QFontInfo(d.txtCode->font()).fixedPitch());
    EXPECT_FALSE(editor->ShowFindButton() || editor->FindMenusEnabled());
    editor->setShowFindButton(false);
    editor->setFindMenusEnabled(false);
    editor->setLocked(true);
    editor->setRTFEditVisible(false);
    EXPECT_TRUE(button("cmdFind")->isHidden() && !editor->RTFEditVisible() && editor->txtCode().Locked());
    EXPECT_FALSE(action("mnuFind")->isVisible() || action("mnuFindNext")->isEnabled());

    const int start = passes();
    editor->setCodeType(qxcSCRIPTEditor::ctKelvane);
    editor->setAllVBCode(false);
    EXPECT_EQ(passes(), start);
    editor->setAllVBCode(true);
    editor->setTagColour(0x000080);
    editor->setEncodeColour(0x112233);
    editor->setValue("abcdef");
    EXPECT_EQ(passes(), start + 4);
    EXPECT_TRUE(editor->EncodeColour() == 0x112233u && !editor->Changed());
}

// Every property a host can set, or that changes at run time, has a change signal; one typed key raises each
// signal once; the host's own messages replace the control's boxes.
TEST_F(EditorSurfaceTest, ChangeSignalsAndMessagesForTheHost) {
    const QMetaObject& meta = *editor->metaObject();
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        EXPECT_TRUE(meta.property(i).hasNotifySignal()) << meta.property(i).name();
    show("A=~64\"QUJ\" z", 11);
    QSignalSpy text(editor, &qxcSCRIPTEditor::textChanged),
        caret(editor, &qxcSCRIPTEditor::cursorPositionChanged),
        modified(editor, &qxcSCRIPTEditor::modificationChanged), zoom(editor, &qxcSCRIPTEditor::zoomChanged),
        message(editor, &qxcSCRIPTEditor::messageRequested);
    type("x");
    key(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_TRUE(text.size() == 1 && caret.size() == 1 && modified.size() == 1 && modified[0][0].toBool());
    EXPECT_EQ(zoom.value(0).value(0), 1);
    editor->setShowMessages(false); // a box would wait here for a click
    d.txtCode->setSelStart(7), key(Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(message.size(), 1);
    EXPECT_EQ(message[0][2], QMessageBox::Warning);
}

TEST_F(EditorSurfaceTest, PropertiesAreWrittenAndReadInOrderAndDamagedOnesAsTheirDefaults) {
    const QStringList order = {"RTFEditVisible", "ShowHiddenHandlers", "CodeType",         "Locked",
                               "EncodeColour",   "TagColour",          "FindMenusEnabled", "ShowFindButton"};
    const auto namesOf = [](const auto& entries) {
        QStringList names;
        for (const auto& entry : entries)
            names << entry.name;
        return names;
    };
    MemoryPropertyBag written;
    editor->WriteProperties(written);
    ASSERT_EQ(namesOf(written.writes()), order);
    // A fresh control keeps its colours and, because its flags are False, the two Find flags.
    EXPECT_EQ(namesOf(written.stored()), (QStringList{"RTFEditVisible", "EncodeColour", "TagColour",
                                                      "FindMenusEnabled", "ShowFindButton"}));

    MemoryPropertyBag bag;
    bag.set("CodeType", 1);
    bag.set("FindMenusEnabled", false);
    editor->setLocked(true);
    const int start = passes();
    editor->ReadProperties(bag);
    ASSERT_EQ(namesOf(bag.reads()), order);
    EXPECT_EQ(bag.reads()[3].defaultValue, QVariant(true)) << "the box's current flag";
    EXPECT_EQ(editor->CodeType(), qxcSCRIPTEditor::ctVB);
    EXPECT_EQ(passes(), start) << "a stored code type is read without a pass";
    EXPECT_TRUE(editor->Locked() && !editor->RTFEditVisible());
    // The stored Find flags set the fields only; what is shown stays as it was.
    EXPECT_FALSE(editor->FindMenusEnabled());
    EXPECT_TRUE(editor->ShowFindButton() && action("mnuFind")->isVisible());

    // A damaged store gives the defaults; numbers as text, as an INI-backed store returns them, are read.
    const auto read = [&](const QVariant& stored) {
        MemoryPropertyBag bag;
        bag.set("CodeType", stored);
        bag.set("TagColour", stored);
        editor->setCodeType(qxcSCRIPTEditor::ctVB);
        editor->setTagColour(0x000080);
        editor->ReadProperties(bag);
        return std::pair{int(editor->CodeType()), editor->TagColour()};
    };
    for (const QVariant& damaged :
         {QVariant(-1), QVariant("VB"), QVariant(1.5), QVariant(1e300), QVariant(0x1000000)})
        EXPECT_EQ(read(damaged), std::pair(0, 0x80u)) << damaged.toString().toStdString();
    for (const auto& [stored, codeType, colour] :
         {std::tuple{QVariant(0), 0, 0u}, {QVariant(0xFFFFFF), 0, 0xFFFFFFu}, {QVariant(" 2"), 2, 2u}})
        EXPECT_EQ(read(stored), std::pair(codeType, colour)) << stored.toString().toStdString();
}

// A new control reads the per-user view settings without writing them; the menu's Full View is for it alone.
TEST_F(EditorSurfaceTest, TheUsersViewSettings) {
    Library& library = Library::instance();
    const QString key = QStringLiteral("Software\\Kelvane\\Script Editor");
    const auto stored = [&](const char* name) {
        return library.ReadRegistry(RegistryRoot::CurrentUser, key, QLatin1String(name), "?");
    };
    EXPECT_TRUE(!qxcSCRIPTEditor().FullView() && d.chkSyntaxHighlight->isChecked() &&
                stored("FullView") == "?");
    library.WriteRegistry(RegistryRoot::CurrentUser, key, "FullView", "1");
    library.WriteRegistry(RegistryRoot::CurrentUser, key, "Syntax Highlighting", "0");
    qxcSCRIPTEditor fresh;
    EXPECT_TRUE(fresh.FullView() && !EditorPrivate::of(fresh).chkSyntaxHighlight->isChecked());

    editor->setFullView(false);
    EXPECT_EQ(stored("FullView"), "0");
    action("mnuFullView")->trigger();
    EXPECT_TRUE(editor->FullView());
    EXPECT_EQ(stored("FullView"), "0") << "the menu's item is for this control only";
    // The highlight item flips the check box, which keeps the choice and colours anew.
    const int before = passes();
    action("mnuSyntaxHighlight")->trigger();
    action("mnuSyntaxHighlight")->trigger();
    EXPECT_TRUE(d.chkSyntaxHighlight->isChecked() && stored("Syntax Highlighting") == "1" &&
                passes() > before);
}

// The box fills what the bars leave, from the top in Full View, where the edit bar is hidden.
TEST_F(EditorSurfaceTest, TheWindowsLayout) {
    editor->setGeometry(0, 0, 600, 400);
    editor->setFullView(true);
    EXPECT_FALSE(d.picEditBar->isVisible());
    EXPECT_EQ(d.txtCode->geometry(), QRect(0, 0, 600, 400 - d.sbr->Height()));
}

// The control takes the room a layout gives (a plain widget beside it does not), asks for 80 x 24 chars.
TEST_F(EditorSurfaceTest, GrowsInLayoutsAndAsksForEightyByTwentyFour) {
    const QFontMetrics metrics(d.txtCode->font());
    const QSize hint = editor->sizeHint(), chars(metrics.horizontalAdvance('x'), metrics.lineSpacing());
    EXPECT_TRUE(hint.width() >= 80 * chars.width() && hint.width() < 90 * chars.width() &&
                hint.height() >= 24 * chars.height() + d.sbr->Height() + d.picEditBar->height());
    EXPECT_TRUE(editor->minimumSizeHint().width() < hint.width() / 3);
    QWidget form;
    QWidget *other = new QWidget, *control = new qxcSCRIPTEditor;
    (new QVBoxLayout(&form))->addWidget(other), form.layout()->addWidget(control);
    form.resize(hint * 2), form.layout()->activate();
    EXPECT_LT(other->height(), control->height() / 8);
}

// Focus reaches the box and starts the foreground check; leaving for another field stops it, unloads popups.
TEST_F(EditorSurfaceTest, FocusGivenToTheControlAndTaken) {
    before->setFocus();
    editor->setFocus();
    EXPECT_TRUE(d.txtCode->hasFocus() && d.tmrForegroundCheck.Enabled());
    EXPECT_EQ(d.controller().foregroundCheck().mhForegroundWindow, QtForegroundWindow::handleOf(&window));
    const int unloads = d.controller().popupUnloads();
    after->setFocus();
    EXPECT_FALSE(d.tmrForegroundCheck.Enabled());
    d.txtCode->setFocus();
    d.FocusChanged(d.txtCode, nullptr); // leaving the application is the foreground check's business
    EXPECT_EQ(d.controller().popupUnloads(), unloads + 1);
    // Ctrl+Tab and Ctrl+Shift+Tab leave the box, even from inside an encoded value, without typing.
    show("x = ~64\"QUJD\"", 8);
    key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(after->hasFocus());
    d.txtCode->setFocus();
    key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus() && editor->Value() == "x = ~64\"QUJD\"");
}

} // namespace
} // namespace qx::test

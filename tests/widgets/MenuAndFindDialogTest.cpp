#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtPopupMenu.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/frmFindReplace.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

using qx::EditorPrivate;
using qx::frmFindReplace;

class MenuAndFindDialogTest : public ::testing::Test {
protected:
    MenuAndFindDialogTest() {
        editor->resize(600, 400);
        editor->show();
        editor->activateWindow();
        d().txtCode->setFocus();
        QApplication::processEvents();
    }
    ~MenuAndFindDialogTest() override {
        if (frmFindReplace* dialog = frmFindReplace::instance())
            delete dialog;
    }
    EditorPrivate& d() { return EditorPrivate::of(*editor); }

    qx::test::TempSettings settings;
    std::unique_ptr<qxcSCRIPTEditor> editor = std::make_unique<qxcSCRIPTEditor>();
};

TEST_F(MenuAndFindDialogTest, ARightClickShowsTheItemsInOrder) {
    editor->setValue(QStringLiteral("<QX:A>b</QX>"));
    d().txtCode->SelectRange(0, -1);
    QTest::mouseClick(d().txtCode->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 10));
    ASSERT_TRUE(d().mnuPopup->isVisible());
    QStringList shown;
    for (const QAction* action : d().mnuPopup->actions())
        if (action->isVisible())
            shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
    d().mnuPopup->hide();
    EXPECT_EQ(shown, (QStringList{"Undo", "Redo", "-", "Cut", "Copy", "Paste", "Select All", "-",
                                  "Find && Replace", "Find Next", "-", "Add To Favourites",
                                  "Disable Syntax Highlight", "Full View", "-"}));
    EXPECT_EQ(d().txtCode->SelLength(), 12) << "the right click kept the selection";
}

TEST_F(MenuAndFindDialogTest, CtrlFOpensTheDialogAndF3FindsTheNextMatch) {
    editor->setValue(QStringLiteral("one two one two"));
    QTest::keyClick(d().txtCode, Qt::Key_F, Qt::ControlModifier);
    frmFindReplace* dialog = frmFindReplace::instance();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Find and Replace");
    EXPECT_EQ(dialog->editor(), editor.get());

    dialog->txtFind->setText(QStringLiteral("two"));
    QTest::mouseClick(dialog->cmdFind, Qt::LeftButton);
    EXPECT_EQ(d().txtCode->SelStart(), 4);
    EXPECT_EQ(d().txtCode->SelText(), "two");
    QTest::keyClick(d().txtCode, Qt::Key_F3);
    EXPECT_EQ(d().txtCode->SelStart(), 12);

    dialog->txtReplace->setText(QStringLiteral("2"));
    d().txtCode->setSelStart(0);
    QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton);
    EXPECT_EQ(editor->Value(), "one 2 one two");
    editor->Undo();
    EXPECT_EQ(editor->Value(), "one two one two") << "the dialog's Replace is one undo step";
}

TEST_F(MenuAndFindDialogTest, TheDialogOutlivesItsControl) {
    editor->setValue(QStringLiteral("abc"));
    frmFindReplace* dialog = frmFindReplace::open(editor.get());
    dialog->txtFind->setText(QStringLiteral("b"));
    QWidget* host = new QWidget;
    dialog->setParent(host, dialog->windowFlags()); // owned elsewhere, as by a host form
    editor.reset();
    EXPECT_FALSE(dialog->cmdFind->isEnabled());
    EXPECT_FALSE(dialog->cmdReplace->isEnabled());
    dialog->cmdFind->click(); // nothing to search, nothing happens
    EXPECT_EQ(dialog->editor(), nullptr);
    delete host;
}

TEST_F(MenuAndFindDialogTest, ClosingEmptiesTheDialogForTheNextOpening) {
    frmFindReplace* dialog = frmFindReplace::open(editor.get());
    dialog->txtFind->setText(QStringLiteral("kept"));
    EXPECT_EQ(frmFindReplace::open(editor.get())->txtFind->text(), "kept");
    QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmFindReplace::instance(), nullptr);
    EXPECT_EQ(frmFindReplace::open(editor.get())->txtFind->text(), "");
}

} // namespace

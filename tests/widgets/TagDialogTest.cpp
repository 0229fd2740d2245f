#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "assist/AssistPopups.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/Twips.h"
#include "platform/qt/frmList.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"
#include "widgets/frmEditTag.h"
#include "widgets/frmFindReplace.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include <gtest/gtest.h>

namespace {

using qx::EditorPrivate;
using qx::frmEditTag;

// Drives the modal window: `user` runs once it is open, as the user would act on it.
class TagDialogTest : public ::testing::Test {
protected:
    QString edit(const QString& value, std::function<void(frmEditTag&)> user) {
        bool reached = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmEditTag*>(QApplication::activeModalWidget());
            reached = dialog != nullptr;
            if (!dialog)
                return;
            QApplication::processEvents();
            user(*dialog);
            // Whatever the user left open is closed as by the window's close box.
            if (QApplication::activeModalWidget() == dialog)
                dialog->close();
        });
        const QString result = tagDialog.EditValue(value);
        EXPECT_TRUE(reached) << "the window opened modally";
        return result;
    }
    static EditorPrivate& inner(frmEditTag& dialog) { return EditorPrivate::of(*dialog.Editor()); }
    static void type(frmEditTag& dialog, const QString& text) {
        QTest::keyClicks(inner(dialog).txtCode, text);
    }
    static void ok(frmEditTag& dialog) { QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); }
    static void returnOn(QPushButton* button) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    }

    qx::test::TempSettings settings;
    qxTagDialog tagDialog;
};

TEST_F(TagDialogTest, OkReturnsTheEditedTextAndEveryOtherWayOutTheInput) {
    EXPECT_FALSE(tagDialog.Cancel()) << "before the first call";
    const QString input = QStringLiteral("<QX:FIELD>Name</QX>");
    const struct {
        const char* how;
        std::function<void(frmEditTag&)> close;
        bool cancelled;
    } cases[] = {
        {"OK", [](frmEditTag& d) { ok(d); }, false},
        {"Cancel", [](frmEditTag& d) { QTest::mouseClick(d.CancelButton(), Qt::LeftButton); }, true},
        {"close box", [](frmEditTag& d) { d.close(); }, true},
        {"Escape", [](frmEditTag& d) { QTest::keyClick(inner(d).txtCode, Qt::Key_Escape); }, true},
        {"Return on OK", [](frmEditTag& d) { returnOn(d.OkButton()); }, false},
        {"Return on Cancel", [](frmEditTag& d) { returnOn(d.CancelButton()); }, true},
    };
    for (const auto& c : cases) {
        const QString result = edit(input, [&](frmEditTag& d) {
            EXPECT_EQ(d.windowTitle(), "Kelvane Tag Editor");
            EXPECT_EQ(d.Editor()->Value(), input);
            inner(d).txtCode->setSelStart(0);
            type(d, "x");
            c.close(d);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.how << " closes the window";
        });
        EXPECT_EQ(result, c.cancelled ? input : "x" + input) << c.how;
        EXPECT_EQ(tagDialog.Cancel(), c.cancelled) << c.how;
    }
    EXPECT_EQ(edit(QString(), [](frmEditTag& d) { ok(d); }), "");
    EXPECT_FALSE(tagDialog.Cancel());
}

// OK reads the editor's Value, which writes every open encoded value back first.
TEST_F(TagDialogTest, OkInsideAnEncodedValueReturnsTheWholeOuterText) {
    const QString result = edit("A=~64\"QUJD\" z", [](frmEditTag& d) {
        EditorPrivate& e = inner(d);
        e.txtCode->setSelStart(7);
        QTest::keyClick(e.txtCode, Qt::Key_E, Qt::ControlModifier);
        ASSERT_TRUE(d.Editor()->EditingEncodedArea());
        e.txtCode->setSelStart(3);
        type(d, "D");
        ok(d);
    });
    EXPECT_EQ(result, "A=~64\"QUJDRA==\" z");
    EXPECT_FALSE(tagDialog.Cancel());
}

// The window's stored design hides the RTF button. Escape with the caret in an encoded value, where the
// editor refuses every key that would type, still closes the window, as it does around a locked editor.
TEST_F(TagDialogTest, TheStoredDesignAndKeysTheEditorRefuses) {
    const QString input = QStringLiteral("a=~64\"QUJD\" b");
    const QString result = edit(input, [](frmEditTag& d) {
        EditorPrivate& e = inner(d);
        EXPECT_FALSE(d.Editor()->RTFEditVisible());
        EXPECT_FALSE(e.picEditBar->button(QStringLiteral("cmdRTF"))->isVisible());
        e.txtCode->setSelStart(8);
        QTest::keyClick(e.txtCode, Qt::Key_Right);
        ASSERT_TRUE(e.state().mbInEncodedArea);
        QTest::keyClick(e.txtCode, Qt::Key_B, Qt::AltModifier); // a chord never types
        QTest::keyClick(e.txtCode, Qt::Key_Escape);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Escape closed the window";
    });
    EXPECT_EQ(result, input);
    EXPECT_TRUE(tagDialog.Cancel());

    QDialog host;
    auto* locked = new qxcSCRIPTEditor(&host);
    locked->setLocked(true);
    host.show();
    QTest::keyClick(EditorPrivate::of(*locked).txtCode, Qt::Key_Escape);
    EXPECT_FALSE(host.isVisible());
    EXPECT_EQ(host.result(), QDialog::Rejected);
}

// Escape belongs to an open popup first; only once nothing is open does it close the window.
TEST_F(TagDialogTest, EscapeClosesAnOpenPopupBeforeTheWindow) {
    const struct {
        const char* popup;
        std::function<void(frmEditTag&)> open;
    } cases[] = {
        {"member list",
         [](frmEditTag& d) {
             d.Editor()->setCodeType(qxcSCRIPTEditor::ctVB);
             type(d, "tag.");
         }},
        {"syntax tip", [](frmEditTag& d) { inner(d).controller().popups().ShowTip("GetResult:SQL"); }},
    };
    for (const auto& c : cases) {
        edit(QString(), [&](frmEditTag& d) {
            EditorPrivate& e = inner(d);
            c.open(d);
            ASSERT_TRUE(e.state().mbListShown || e.state().mbTipShown) << c.popup;
            QTest::keyClick(e.txtCode, Qt::Key_Escape);
            EXPECT_FALSE(e.state().mbListShown || e.state().mbTipShown) << c.popup;
            EXPECT_EQ(QApplication::activeModalWidget(), &d) << c.popup << ": the window stays open";
            QTest::keyClick(e.txtCode, Qt::Key_Escape);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.popup;
        });
        EXPECT_TRUE(tagDialog.Cancel());
    }
}

// The buttons keep their sizes at the bottom right, over the editor's corner, and take the clicks there.
TEST_F(TagDialogTest, TheButtonsSitAboveTheEditorsBottomRightCorner) {
    edit(QString(), [](frmEditTag& d) {
        const auto px = [&d](int twips) { return qx::Twips::toPixels(twips, &d); };
        d.resize(500, 300);
        EXPECT_EQ(d.Editor()->geometry(), QRect(0, 0, 500, 300));
        const QSize button(px(1095), px(375));
        const QRect okAt(QPoint(500 - button.width() - px(120), 300 - button.height()), button);
        EXPECT_EQ(d.OkButton()->geometry(), okAt);
        EXPECT_EQ(d.CancelButton()->geometry(), okAt.translated(-button.width() - px(120), 0));
        EXPECT_EQ(d.childAt(okAt.center()), d.OkButton());
        EXPECT_EQ(d.childAt(d.CancelButton()->geometry().center()), d.CancelButton());
        EXPECT_EQ(d.Editor()->EncodeColour(), 0x808080u);
        EXPECT_EQ(d.Editor()->TagColour(), 0x000080u);
    });
}

// The popups are windows of their own; the modal window must not shut them out of the mouse.
TEST_F(TagDialogTest, TheMemberListTakesClicksWhileTheWindowIsModal) {
    edit(QString(), [](frmEditTag& d) {
        EditorPrivate& e = inner(d);
        d.Editor()->setCodeType(qxcSCRIPTEditor::ctVB);
        type(d, "tag.");
        auto* form = dynamic_cast<qx::frmList*>(e.controller().popups().List());
        ASSERT_NE(form, nullptr);
        QListWidget* lst = form->lst();
        const QPoint second = lst->viewport()->mapTo(form, lst->visualItemRect(lst->item(1)).center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, second);
        EXPECT_EQ(form->ListIndex(), 1);
    });
}

// The find dialog opened from the editor inside the modal window is put in front of that window, so it
// can be used there.
TEST_F(TagDialogTest, TheFindDialogWorksFromInsideTheModalWindow) {
    bool found = false;
    edit(QStringLiteral("one two one"), [&](frmEditTag& dialog) {
        EditorPrivate& d = inner(dialog);
        d.txtCode->setFocus();
        QTest::keyClick(d.txtCode, Qt::Key_F, Qt::ControlModifier);
        qx::frmFindReplace* find = qx::frmFindReplace::instance();
        ASSERT_NE(find, nullptr);
        EXPECT_EQ(find->parentWidget(), &dialog) << "owned by the modal window";
        EXPECT_TRUE(find->isVisible());
        find->txtFind->setText(QStringLiteral("one"));
        QTest::mouseClick(find->cmdFind, Qt::LeftButton);
        QTest::mouseClick(find->cmdFind, Qt::LeftButton);
        found = d.txtCode->SelStart() == 8 && d.txtCode->SelText() == QLatin1String("one");
        find->close();
    });
    EXPECT_TRUE(found);
}

} // namespace

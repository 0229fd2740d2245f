// The tag value dialog, driven through qxTagDialog::EditValue as a host opens it.
#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "assist/AssistPopups.h"
#include "platform/qt/QtCodeBox.h"
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

#include <functional>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

// Drives the modal window: `user` runs once it is open, as the user would act on it.
class TagDialogTest : public ::testing::Test {
protected:
    QString edit(const QString& value, const std::function<void(frmEditTag&)>& user) {
        bool reached = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmEditTag*>(QApplication::activeModalWidget());
            reached = dialog != nullptr;
            if (!dialog)
                return;
            QApplication::processEvents();
            user(*dialog);
            if (QApplication::activeModalWidget() == dialog)
                dialog->close(); // whatever the user left open closes as by the close box
        });
        const QString result = tagDialog.EditValue(value);
        EXPECT_TRUE(reached) << "the window opened modally";
        return result;
    }
    static EditorPrivate& inner(frmEditTag& dialog) { return EditorPrivate::of(*dialog.Editor()); }
    static void key(frmEditTag& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(inner(dialog).txtCode, key, modifiers);
    }
    static void ok(frmEditTag& dialog) { QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); }
    static void returnOn(QPushButton* button) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    }

    TempSettings settings;
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
        {"OK", ok, false},
        {"Cancel", [](frmEditTag& d) { QTest::mouseClick(d.CancelButton(), Qt::LeftButton); }, true},
        {"close box", [](frmEditTag& d) { d.close(); }, true},
        {"Escape", [](frmEditTag& d) { key(d, Qt::Key_Escape); }, true},
        {"Return on OK", [](frmEditTag& d) { returnOn(d.OkButton()); }, false},
        {"Return on Cancel", [](frmEditTag& d) { returnOn(d.CancelButton()); }, true},
    };
    for (const auto& c : cases) {
        const QString result = edit(input, [&](frmEditTag& d) {
            EXPECT_EQ(d.windowTitle(), "Kelvane Tag Editor");
            inner(d).txtCode->setSelStart(0);
            QTest::keyClicks(inner(d).txtCode, "x");
            c.close(d);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.how << " closes the window";
        });
        EXPECT_EQ(result, c.cancelled ? input : "x" + input) << c.how;
        EXPECT_EQ(tagDialog.Cancel(), c.cancelled) << c.how;
    }
}

// OK reads the editor's Value, which writes every open encoded value back first.
TEST_F(TagDialogTest, OkInsideAnEncodedValueReturnsTheWholeOuterText) {
    const QString result = edit("A=~64\"QUJD\" z", [](frmEditTag& d) {
        inner(d).txtCode->setSelStart(7);
        key(d, Qt::Key_E, Qt::ControlModifier);
        ASSERT_TRUE(d.Editor()->EditingEncodedArea());
        key(d, Qt::Key_End);
        QTest::keyClicks(inner(d).txtCode, "D");
        ok(d);
    });
    EXPECT_EQ(result, "A=~64\"QUJDRA==\" z");
}

// The window's stored design hides the RTF button. Escape with the caret in an encoded value, where the
// editor refuses every key that would type, still closes the window, as it does around a locked editor.
TEST_F(TagDialogTest, TheStoredDesignAndKeysTheEditorRefuses) {
    const QString input = QStringLiteral("a=~64\"QUJD\" b");
    const QString result = edit(input, [](frmEditTag& d) {
        EXPECT_FALSE(inner(d).picEditBar->button(QStringLiteral("cmdRTF"))->isVisible());
        inner(d).txtCode->setSelStart(8);
        key(d, Qt::Key_Right);
        ASSERT_TRUE(inner(d).state().mbInEncodedArea);
        key(d, Qt::Key_B, Qt::AltModifier); // a chord never types
        key(d, Qt::Key_Escape);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Escape closed the window";
    });
    EXPECT_EQ(result, input);

    QDialog host;
    auto* locked = new qxcSCRIPTEditor(&host);
    locked->setLocked(true);
    host.show();
    QTest::keyClick(EditorPrivate::of(*locked).txtCode, Qt::Key_Escape);
    EXPECT_FALSE(host.isVisible());
}

// Escape belongs to an open popup first; only once nothing is open does it close the window.
TEST_F(TagDialogTest, EscapeClosesAnOpenPopupBeforeTheWindow) {
    for (const bool list : {true, false}) {
        edit(QString(), [&](frmEditTag& d) {
            EditorPrivate& e = inner(d);
            if (list) {
                d.Editor()->setCodeType(qxcSCRIPTEditor::ctVB);
                QTest::keyClicks(e.txtCode, "tag.");
            } else {
                e.controller().popups().ShowTip("GetResult:SQL");
            }
            ASSERT_TRUE(e.state().mbListShown || e.state().mbTipShown);
            key(d, Qt::Key_Escape);
            EXPECT_FALSE(e.state().mbListShown || e.state().mbTipShown);
            EXPECT_EQ(QApplication::activeModalWidget(), &d) << "the window stays open";
            key(d, Qt::Key_Escape);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        });
    }
}

// The buttons keep their sizes at the bottom right, over the editor's corner, and take the clicks there;
// the member list takes clicks although the window is modal; the find dialog opens in front of it.
TEST_F(TagDialogTest, ButtonsPopupsAndTheFindDialogInsideTheModalWindow) {
    bool found = false;
    edit(QStringLiteral("one two one"), [&](frmEditTag& d) {
        const auto px = [&d](int twips) { return Twips::toPixels(twips, &d); };
        d.resize(500, 300);
        EXPECT_EQ(d.Editor()->geometry(), QRect(0, 0, 500, 300));
        const QSize button(px(1095), px(375));
        const QRect okAt(QPoint(500 - button.width() - px(120), 300 - button.height()), button);
        EXPECT_EQ(d.OkButton()->geometry(), okAt);
        EXPECT_EQ(d.CancelButton()->geometry(), okAt.translated(-button.width() - px(120), 0));
        EXPECT_EQ(d.childAt(okAt.center()), d.OkButton());
        EXPECT_EQ(d.Editor()->TagColour(), 0x000080u);

        EditorPrivate& e = inner(d);
        e.txtCode->setFocus();
        key(d, Qt::Key_F, Qt::ControlModifier);
        frmFindReplace* find = frmFindReplace::instance();
        ASSERT_NE(find, nullptr);
        EXPECT_EQ(find->parentWidget(), &d) << "owned by the modal window";
        find->txtFind->setText(QStringLiteral("one"));
        QTest::mouseClick(find->cmdFind, Qt::LeftButton);
        QTest::mouseClick(find->cmdFind, Qt::LeftButton);
        found = e.txtCode->SelStart() == 8;
        find->close();

        d.Editor()->setCodeType(qxcSCRIPTEditor::ctVB);
        e.txtCode->setSelStart(0);
        QTest::keyClicks(e.txtCode, "tag.");
        auto* form = dynamic_cast<frmList*>(e.controller().popups().List());
        ASSERT_NE(form, nullptr);
        QListWidget* lst = form->lst();
        const QPoint second = lst->viewport()->mapTo(form, lst->visualItemRect(lst->item(1)).center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, second);
        EXPECT_EQ(form->ListIndex(), 1);
    });
    EXPECT_TRUE(found);
}

} // namespace
} // namespace qx::test

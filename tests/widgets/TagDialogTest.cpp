// The tag value dialog, driven through qxTagDialog::EditValue as a host opens it.
#include "ShownEditor.h"

#include "assist/AssistPopups.h"
#include "platform/qt/frmList.h"
#include "widgets/frmEditTag.h"

#include <QListWidget>
#include <QTimer>

#include <functional>

namespace qx::test {
namespace {

// Drives the modal window: `user` runs once it is open, as the user would act on it.
class TagDialogTest : public ::testing::Test {
protected:
    QString edit(const QString& value, const std::function<void(frmEditTag&)>& user) {
        bool reached = false;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<frmEditTag*>(QApplication::activeModalWidget())) {
                reached = true;
                QApplication::processEvents();
                user(*dialog);
                if (QApplication::activeModalWidget() == dialog)
                    dialog->close(); // whatever the user left open closes as by the close box
            }
        });
        const QString result = tagDialog.EditValue(value);
        EXPECT_TRUE(reached) << "the window opened modally";
        return result;
    }
    static EditorPrivate& inner(frmEditTag& dialog) { return EditorPrivate::of(*dialog.Editor()); }
    static void key(frmEditTag& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(inner(dialog).txtCode, key, modifiers);
    }

    TempSettings settings;
    qxTagDialog tagDialog;
};

TEST_F(TagDialogTest, OkReturnsTheEditedTextAndEveryOtherWayOutTheInput) {
    EXPECT_FALSE(tagDialog.Cancel()) << "before the first call";
    const QString input = QStringLiteral("a=~64\"QUJD\" <QX:FIELD>Name</QX>");
    const struct {
        const char* how;
        std::function<void(frmEditTag&)> close;
        bool cancelled;
    } cases[] = {
        {"OK", [](frmEditTag& d) { QTest::mouseClick(d.OkButton(), Qt::LeftButton); }, false},
        {"Cancel", [](frmEditTag& d) { QTest::mouseClick(d.CancelButton(), Qt::LeftButton); }, true},
        {"Escape", [](frmEditTag& d) { key(d, Qt::Key_Escape); }, true},
        // where the editor refuses every key that would type
        {"Escape in an encoded value",
         [](frmEditTag& d) {
             inner(d).txtCode->setSelStart(8);
             key(d, Qt::Key_Right);
             key(d, Qt::Key_Escape);
         },
         true},
        {"Return on OK",
         [](frmEditTag& d) { d.OkButton()->setFocus(), QTest::keyClick(d.OkButton(), Qt::Key_Return); },
         false},
    };
    QObject database; // the host's reference data reaches the window's editor
    tagDialog.setDatabase(&database);
    for (const auto& c : cases) {
        const QString result = edit(input, [&](frmEditTag& d) {
            EXPECT_EQ(d.Editor()->Database(), &database);
            inner(d).txtCode->setSelStart(0);
            QTest::keyClicks(inner(d).txtCode, "x");
            c.close(d);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.how << " closes the window";
        });
        EXPECT_EQ(result, c.cancelled ? input : "x" + input) << c.how;
        EXPECT_EQ(tagDialog.Cancel(), c.cancelled) << c.how;
    }
    // The window the dialog was opened over goes while it is open: the dialog goes too, cancelled.
    auto* host = new QWidget;
    host->show();
    QApplication::setActiveWindow(host);
    const QString result = edit(input, [&](frmEditTag& d) {
        EXPECT_EQ(d.parentWidget(), host);
        delete host;
    });
    EXPECT_TRUE(result == input && tagDialog.Cancel());
}

// The buttons lie over the editor's corner and take its clicks; the list takes clicks in the modal window;
// Escape closes an open popup first, and the window only once nothing is open.
TEST_F(TagDialogTest, ButtonsTheListAndEscapeInsideTheModalWindow) {
    edit(QString(), [&](frmEditTag& d) {
        EXPECT_TRUE(inner(d).picEditBar->button(QStringLiteral("cmdRTF"))->isHidden()) << "the stored design";
        d.Editor()->raise();
        d.resize(500, 300);
        EXPECT_EQ(d.Editor()->geometry(), QRect(0, 0, 500, 300));
        for (QPushButton* button : {d.OkButton(), d.CancelButton()})
            EXPECT_EQ(d.childAt(button->geometry().center()), button);

        EditorPrivate& e = inner(d);
        d.Editor()->setCodeType(qxcSCRIPTEditor::ctVB);
        QTest::keyClicks(e.txtCode, "tag.");
        auto* form = dynamic_cast<frmList*>(e.controller().popups().List());
        ASSERT_NE(form, nullptr);
        QListWidget* lst = form->lst();
        const QPoint second = lst->viewport()->mapTo(form, lst->visualItemRect(lst->item(1)).center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, second);
        EXPECT_EQ(form->ListIndex(), 1);
        key(d, Qt::Key_Escape);
        EXPECT_FALSE(e.state().mbListShown);
        EXPECT_EQ(QApplication::activeModalWidget(), &d) << "the window stays open";
        key(d, Qt::Key_Escape);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    });
}

} // namespace
} // namespace qx::test

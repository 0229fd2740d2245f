#include "platform/qt/QtInputBox.h"

#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// OK on an emptied field is an answer of its own, never taken for Cancel.
TEST(QtInputBox, CancelIsTellableFromAnEmptyAnswer) {
    const std::pair<std::function<void(QInputDialog&)>, std::optional<QString>> cases[] = {
        {[](QInputDialog& d) { d.accept(); }, QString("QX>VBS")},
        {[](QInputDialog& d) {
             d.setTextValue({});
             d.accept();
         },
         QString("")},
        {[](QInputDialog& d) { d.reject(); }, std::nullopt},
    };
    for (const auto& [answer, expected] : cases) {
        QWidget parent;
        qx::QtInputBox box(&parent);
        QString shown;
        // Answers the dialog as a user would, once it is shown.
        QTimer::singleShot(0, [&] {
            auto* dialog = parent.findChild<QInputDialog*>();
            shown = dialog->windowTitle() + "|" + dialog->labelText() + "|" + dialog->textValue();
            answer(*dialog);
        });
        EXPECT_EQ(box.Ask("Enter the name", "Title", "QX>VBS"), expected);
        EXPECT_EQ(shown, "Title|Enter the name|QX>VBS");
    }
}

} // namespace

#include "platform/qt/QtInputBox.h"

#include <QApplication>
#include <QInputDialog>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the next input dialog that is shown, as a user would, and keeps what it showed.
class DialogAnswerer : public QObject {
public:
    explicit DialogAnswerer(std::function<void(QInputDialog&)> answer)
        : mAnswer(std::move(answer)) {
        qApp->installEventFilter(this);
    }
    ~DialogAnswerer() override { qApp->removeEventFilter(this); }

    QString title, label, shownText;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QInputDialog*>(watched);
        if (dialog && event->type() == QEvent::Show) {
            title = dialog->windowTitle();
            label = dialog->labelText();
            shownText = dialog->textValue();
            QMetaObject::invokeMethod(
                dialog, [this, dialog] { mAnswer(*dialog); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void(QInputDialog&)> mAnswer;
};

TEST(QtInputBox, CancelIsTellableFromAnEmptyAnswer) {
    const struct {
        const char* what;
        std::function<void(QInputDialog&)> answer;
        std::optional<QString> expected;
    } cases[] = {
        {"OK on the default", [](QInputDialog& d) { d.accept(); }, QString("QX>VBS")},
        {"OK on an emptied field",
         [](QInputDialog& d) {
             d.setTextValue(QString());
             d.accept();
         },
         QString("")},
        {"Cancel", [](QInputDialog& d) { d.reject(); }, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget parent;
        qx::QtInputBox box(&parent);
        DialogAnswerer answerer(c.answer);

        const std::optional<QString> answer = box.Ask("Enter the name", "Title", "QX>VBS");

        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(answerer.title, "Title");
        EXPECT_EQ(answerer.label, "Enter the name");
        EXPECT_EQ(answerer.shownText, "QX>VBS");
    }
}

} // namespace

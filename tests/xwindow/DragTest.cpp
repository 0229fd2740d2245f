#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "platform/qt/QtCodeBox.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

using qx::EditorPrivate;

// Takes a drop as a move whenever the drag offers one, as many programs do.
class MoveTarget final : public QWidget {
public:
    MoveTarget() {
        setAcceptDrops(true);
        setMinimumSize(150, 150);
    }
    Qt::DropActions offered;
    QString dropped;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { take(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { take(event); }
    void dropEvent(QDropEvent* event) override {
        offered = event->possibleActions();
        dropped = event->mimeData()->text();
        take(event);
    }

private:
    static void take(QDropEvent* event) {
        event->setDropAction(event->possibleActions() & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
    }
};

// Drags with the real pointer of the X server (xdotool), as a user does: the drag runs Qt's own loop.
class XWindowDrag : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "needs an X display and xdotool";
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(editor, 1);
        layout->addWidget(target);
        window.setGeometry(40, 40, 700, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        editor->setValue(QStringLiteral("a=~64\"QUJDREVG\" b"));
    }

    // The screen point of a text position of the one-line value.
    QPoint at(int pos) const {
        QTextCursor cursor(d.txtCode->document());
        cursor.setPosition(pos);
        return d.txtCode->viewport()->mapToGlobal(d.txtCode->cursorRect(cursor).center());
    }

    // Presses on `from`, moves in steps to `to` and lets go there, with the real pointer.
    void drag(QPoint from, QPoint to) {
        QStringList args{"mousemove", "--sync", QString::number(from.x()), QString::number(from.y()),
                         "mousedown", "1"};
        for (int i = 1; i <= 8; ++i) {
            const QPoint p = from + (to - from) * i / 8;
            args << "sleep"
                 << "0.05"
                 << "mousemove" << QString::number(p.x()) << QString::number(p.y());
        }
        args << "sleep"
             << "0.2"
             << "mouseup"
             << "1";
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), args);
        ASSERT_TRUE(xdotool.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, 10000);
        QTest::qWait(200); // the drop's last events
    }

    qx::test::TempSettings settings;
    QWidget window;
    qxcSCRIPTEditor* editor = new qxcSCRIPTEditor;
    MoveTarget* target = new MoveTarget;
    EditorPrivate& d = EditorPrivate::of(*editor);
};

// Text dragged out of an encoded value's content is only ever copied: a drop in the box is refused and a
// program that takes moves gets a copy. Text outside any value still moves.
TEST_F(XWindowDrag, NothingIsMovedOutOfAnEncodedValue) {
    const QString value = editor->Value();
    const QPoint end = at(int(value.size())) + QPoint(30, 0);
    const struct {
        const char* what;
        int start, length;
        QPoint to;
        QString text;
        Qt::DropActions offered;
    } cases[] = {
        {"into the box", 8, 2, end, value, {}},
        {"to a program", 8, 2, target->mapToGlobal(target->rect().center()), value, Qt::CopyAction},
        {"outside a value", 15, 2, target->mapToGlobal(target->rect().center()), "a=~64\"QUJDREVG\"",
         Qt::CopyAction | Qt::MoveAction},
    };
    for (const auto& c : cases) {
        editor->setValue(value);
        d.txtCode->setSelStart(c.start);
        d.txtCode->setSelLength(c.length);
        target->offered = {};
        drag(at(c.start + 1), c.to);
        EXPECT_EQ(editor->Value(), c.text) << c.what;
        EXPECT_EQ(target->offered, c.offered) << c.what;
    }
}

} // namespace

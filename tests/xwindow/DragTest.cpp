#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "platform/qt/QtCodeBox.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

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

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { take(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { take(event); }
    void dropEvent(QDropEvent* event) override {
        offered = event->possibleActions();
        take(event);
    }

private:
    static void take(QDropEvent* event) {
        event->setDropAction(event->possibleActions() & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
    }
};

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

    // Drags with the X server's real pointer (xdotool). Qt runs its own loop once the drag starts, so a timer
    // moves the pointer; the button goes up only once Qt has seen the drag reach `to`, however loaded.
    void drag(QPoint from, QPoint to) {
        xdotool(
            {"mousemove", "--sync", QString::number(from.x()), QString::number(from.y()), "mousedown", "1"});
        DragWatch watch(to);
        int step = 0;
        bool released = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (step < 8) {
                const QPoint p = from + (to - from) * ++step / 8;
                xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
            } else if (watch.arrived || ++step > 60) {
                timer.stop();
                xdotool({"mouseup", "1"});
                released = true;
            }
        });
        timer.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(released, 10000);
        QTest::qWait(200); // the drop's last events
    }

    static void xdotool(const QStringList& args) {
        QProcess process;
        process.start(QStringLiteral("xdotool"), args);
        process.waitForFinished(5000);
    }

    // Notes when a drag-move event arrives at the point the pointer is headed for.
    struct DragWatch final : QObject {
        explicit DragWatch(QPoint to)
            : to(to) {
            qApp->installEventFilter(this);
        }
        bool eventFilter(QObject* object, QEvent* event) override {
            if (auto* widget = qobject_cast<QWidget*>(object); widget && event->type() == QEvent::DragMove)
                arrived |=
                    (widget->mapToGlobal(static_cast<QDragMoveEvent*>(event)->position().toPoint()) - to)
                        .manhattanLength() <= 4;
            return false;
        }
        QPoint to;
        bool arrived = false;
    };

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
    const QPoint end = at(int(value.size())) + QPoint(30, 0),
                 program = target->mapToGlobal(target->rect().center());
    const struct {
        const char* what;
        int start, length;
        QPoint to;
        QString text;
        Qt::DropActions offered;
    } cases[] = {
        {"into the box", 8, 2, end, value, {}},
        {"to a program", 8, 2, program, value, Qt::CopyAction},
        {"outside a value", 15, 2, program, "a=~64\"QUJDREVG\"", Qt::CopyAction | Qt::MoveAction},
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

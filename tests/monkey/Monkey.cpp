#include "monkey/Monkey.h"

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "encoded/EncodedAreas.h"
#include "hostlib/Library.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtPopupMenu.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"

#include <QApplication>
#include <QInputDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <exception>
#include <limits>

namespace qx::test {

namespace {

QString b64(const QString& text) {
    return Library::instance().Base64Encode(text);
}

// The texts a host sets: tags, plain script, encoded values (one nested in another), an RTF value.
QStringList hostTexts() {
    return {QString(),
            "<QX:DB>Connect:Source=Sales</QX>\r\n<QX:INCLUDE>x</QX>\r\n",
            "a=~64\"" + b64("ABC") + "\" b",
            "<QX:FIELD>v=~64\"" + b64("x=~64\"" + b64("in") + "\" y\r\nz") + "\"</QX>",
            "Dim x\r\nx = tag.Value\r\nIf x Then\r\n  y = web.\r\nEnd If\r\n",
            "<QX:VBS>\r\n  s = \"a\" ' note\r\n</QX>\r\nr=\"{\\rtf1 abc}\" q=~64\"" + b64("QX") + "\""};
}

const QStringList kPieces = {"x",    "ab",           "<QX:", "</qx>", ".", ":", ">",   "tag.",
                             "web.", "=~64\"QUJD\"", "\"",   " ",     "(", "=", "Dim "};
const QStringList kEditKeys = {"Return", "Tab", "Shift+Tab", "Backspace", "Delete", "Ctrl+Backspace"};
const QStringList kMoveKeys = {"Left",       "Right",     "Up",       "Down",       "Home",
                               "End",        "Ctrl+Home", "Ctrl+End", "Shift+Left", "Shift+Right",
                               "Shift+Down", "Shift+End", "PgDown"};
const QStringList kMenuItems = {"mnuCut",  "mnuCopy", "mnuPaste",    "mnuSelectAll",
                                "mnuUndo", "mnuRedo", "mnuAddToFav", "mnuFav1"};

// Arguments in a list of actions: line breaks, tabs and characters beyond ASCII as %XX, the rest as typed.
QString escaped(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, " !\"#$&'()*+,-./:;<=>?@[\\]^_`{|}~"));
}

QString unescaped(const QString& text) {
    return QUrl::fromPercentEncoding(text.toLatin1());
}

// Answers the modal windows the control opens (a name for a favourite, a message) as a user would.
class ModalAnswerer final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() == QEvent::Show && dialog && dialog->isModal()) {
            QTimer::singleShot(0, dialog, [dialog] {
                if (auto* input = qobject_cast<QInputDialog*>(dialog))
                    input->setTextValue(QStringLiteral("fav"));
                dialog->accept();
            });
        }
        return false;
    }
};

// A failed check: what failed, thrown out of the action so the run stops there.
struct Failure {
    QString what;
};

void require(bool ok, const QString& what) {
    if (!ok)
        throw Failure{what};
}

// One run: a shown control, the user's actions, and a model of what they must leave.
class Run {
public:
    Run() {
        mWindow.resize(640, 420);
        mEditor->setGeometry(0, 0, 640, 420);
        mWindow.show();
        QApplication::setActiveWindow(&mWindow);
        d.txtCode->setFocus();
        // Time passes only when an action says so.
        d.tmrDelayedSyntaxHighlight.setInterval(std::numeric_limits<int>::max());
        d.tmrForegroundCheck.setInterval(std::numeric_limits<int>::max());
        d.tmrDiagnostics.setInterval(std::numeric_limits<int>::max());
        mEditor->setLiveDiagnostics(true);
        QObject::connect(mEditor, &qxcSCRIPTEditor::EncodingAreaChange, mEditor, [this] {
            if (mSlotReadsValue)
                mCaptured << mEditor->Value();
        });
        qApp->installEventFilter(&mAnswerer);
        mHistory.append(History());
    }
    ~Run() { qApp->removeEventFilter(&mAnswerer); }

    // One action and the checks after it. A round ends (and the history with it) where the list says, so
    // that shorter lists keep their rounds.
    void act(const MonkeyAction& action) {
        if (action.op != QLatin1String("menu") && d.mnuPopup->isVisible())
            d.mnuPopup->close(); // the user clicks elsewhere
        if (action.op == QLatin1String("round")) {
            endRound();
            return;
        }
        step(action);
        QApplication::processEvents(); // what the screen shows of it: painting, the view's marks
        require(!historyNearlyFull(), QStringLiteral("a round too long for the history"));
    }

    void endRound() {
        step({QStringLiteral("read"), QString()});
        History& h = mHistory.first();
        const QString last = box()->Text();
        const int steps = state().mpcUndo->Count();
        for (int i = 0; i < steps; ++i) {
            mEditor->Undo();
            require(!h.starts.isEmpty() && box()->Text() == h.starts.takeLast(),
                    QStringLiteral("Undo back to the round's start"));
        }
        for (int i = 0; i < steps; ++i)
            mEditor->Redo();
        require(box()->Text() == last, QStringLiteral("Redo forward to the round's last text"));
        state().mpcUndo->Clear();
        state().mpcRedo->Clear();
        h = History();
        refresh();
    }

private:
    void step(const MonkeyAction& action) {
        const Before before{state().mlLevel,          box()->Text(),           box()->SelStart(), whole(),
                            state().mpcUndo->Count(), state().mpcRedo->Count()};
        mCaptured.clear();
        try {
            perform(action);
        } catch (const Failure&) {
            throw;
        } catch (const std::exception& error) {
            throw Failure{QStringLiteral("exception: %1").arg(QString::fromUtf8(error.what()))};
        }
        require(!state().mbBusy, QStringLiteral("the busy flag stayed up"));
        follow(action, before);
        const QString now = whole();
        for (const QString& read : std::as_const(mCaptured))
            require(read == now, QStringLiteral("Value read in EncodingAreaChange was \"%1\", not \"%2\"")
                                     .arg(escaped(read.left(80)), escaped(now.left(80))));
    }

    struct Before {
        int level;
        QString text;
        int caret;
        QString whole;
        int undo, redo;
    };
    // What stepping into a level kept of the outer text.
    struct Record {
        QString outer;
        int start, length;
        QString stored, shown;
    };
    // The texts each undo step and each redo step of a level lead back to.
    struct History {
        QStringList starts, redos;
    };

    EditorState& state() { return d.state(); }
    QtCodeBox* box() { return d.txtCode; }

    QString whole() {
        QString text = box()->Text();
        for (qsizetype i = mRecords.size() - 1; i >= 0; --i) {
            const Record& r = mRecords[i];
            text = QString(r.outer).replace(r.start, r.length, text != r.shown ? b64(text) : r.stored);
        }
        return text;
    }

    bool historyNearlyFull() const {
        for (const History& h : mHistory)
            if (h.starts.size() + h.redos.size() >= 90)
                return true;
        return false;
    }

    // --- the actions --------------------------------------------------------------------------------

    void perform(const MonkeyAction& a) {
        const QString& op = a.op;
        if (op == QLatin1String("type")) {
            QTest::keyClick(box(), a.arg.at(0).toLatin1());
        } else if (op == QLatin1String("key")) {
            const QKeyCombination key = QKeySequence::fromString(a.arg)[0];
            QTest::keyClick(box(), key.key(), key.keyboardModifiers());
        } else if (op == QLatin1String("click")) {
            clickAt(int(qint64(a.arg.toInt()) * (box()->TextLength() + 1) / 1000), Qt::LeftButton);
        } else if (op == QLatin1String("clickvalue")) {
            clickIntoValue(a.arg.toInt());
        } else if (op == QLatin1String("rclick")) {
            clickAt(box()->SelStart(), Qt::RightButton);
        } else if (op == QLatin1String("menu")) {
            chooseFromMenu(a.arg);
        } else if (op == QLatin1String("button")) {
            QPushButton* button = d.picEditBar->button(a.arg);
            if (button->isVisible() && button->isEnabled())
                QTest::mouseClick(button, Qt::LeftButton);
        } else if (op == QLatin1String("selecttag")) {
            selectTag();
        } else if (op == QLatin1String("find")) {
            mEditor->Find(a.arg);
            refresh();
        } else if (op == QLatin1String("replace")) {
            mEditor->Replace(a.arg.section(u'\t', 0, 0), a.arg.section(u'\t', 1));
            refresh();
        } else if (op == QLatin1String("value")) {
            const QStringList texts = hostTexts();
            mEditor->setValue(texts[a.arg.toInt() % texts.size()]);
            refresh();
        } else if (op == QLatin1String("seltext")) {
            mEditor->SetSelText(a.arg);
            refresh();
        } else if (op == QLatin1String("read")) {
            const QString value = mEditor->Value();
            require(value == box()->Text() && state().mlLevel == 1,
                    QStringLiteral("Value steps out to level 1"));
        } else if (op == QLatin1String("slot")) {
            mSlotReadsValue = !mSlotReadsValue;
        } else if (op == QLatin1String("view")) {
            if (a.arg == QLatin1String("lines"))
                mEditor->setLineNumbers(!mEditor->LineNumbers());
            else
                mEditor->setHighlightCurrentLine(!mEditor->HighlightCurrentLine());
        } else if (op == QLatin1String("lock")) {
            mEditor->setLocked(!mEditor->Locked());
        } else if (op == QLatin1String("pause")) {
            d.tmrDelayedSyntaxHighlight.fire();
            d.tmrDiagnostics.fire();
            for (const qxDiagnostic& found : mEditor->Diagnostics())
                require(found.start >= 0 && found.length > 0 && found.end() <= box()->TextLength(),
                        QStringLiteral("every finding lies in the text"));
        }
    }

    // A click at a text position, made visible first as a user scrolls to it.
    void clickAt(int pos, Qt::MouseButton button) {
        const int caret = box()->SelStart(), length = box()->SelLength();
        box()->setSelStart(pos);
        box()->ensureCursorVisible();
        const QPoint at = box()->cursorRect().center();
        box()->setSelStart(caret);
        box()->setSelLength(length);
        QTest::mouseClick(box()->viewport(), button, {}, at);
    }

    void clickIntoValue(int which) {
        const QString text = box()->Text();
        QList<int> starts;
        for (qsizetype at = text.indexOf(EncodedAreas::kEncodedMarker); at >= 0;
             at = text.indexOf(EncodedAreas::kEncodedMarker, at + 1))
            starts << int(at + EncodedAreas::kEncodedMarker.size());
        if (!starts.isEmpty())
            clickAt(starts[which % starts.size()] + 1, Qt::LeftButton);
    }

    void chooseFromMenu(const QString& item) {
        QtPopupMenu* menu = d.mnuPopup;
        if (!menu->isVisible())
            return;
        QAction* action = menu->item(item);
        menu->close();
        if (action && action->isVisible() && action->isEnabled())
            action->trigger();
    }

    // Selects the first whole tag from the caret on, as a user drags over it.
    void selectTag() {
        const QString text = box()->Text();
        const qsizetype open = text.indexOf(QLatin1String("<QX:"), box()->SelStart());
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1String("</QX>"), open);
        if (close < 0)
            return;
        box()->SelectRange(int(open), int(close + 5));
        refresh();
    }

    // The control's state follows a caret that the host or a drag moved at the next key; a modifier key
    // alone brings it up to date without typing.
    void refresh() { QTest::keyClick(box(), Qt::Key_Shift); }

    // --- the model ----------------------------------------------------------------------------------

    void follow(const MonkeyAction& a, const Before& before) {
        const int level = state().mlLevel;
        require(state().masLevelText.size() == level + 1 && int(state().maLevelHistory.size()) == level - 1,
                QStringLiteral("the level records do not match level %1").arg(level));
        if (a.op == QLatin1String("value") && before.level > 1) {
            mRecords.clear(); // the levels are dropped; the new value joins level 1's pending step
            mHistory.resize(1);
        } else if (level > before.level) {
            stepIn(before, level);
        } else if (level < before.level) {
            stepOut(a, before, level);
        } else {
            sameLevel(a, before);
        }
        require(state().mpcUndo->Count() == mHistory.last().starts.size() &&
                    state().mpcRedo->Count() == mHistory.last().redos.size(),
                QStringLiteral("the history holds %1 undo and %2 redo steps, the user made %3 and %4")
                    .arg(QString::number(state().mpcUndo->Count()), QString::number(state().mpcRedo->Count()),
                         QString::number(mHistory.last().starts.size()),
                         QString::number(mHistory.last().redos.size())));
    }

    void stepIn(const Before& before, int level) {
        require(level == before.level + 1, QStringLiteral("stepped in more than one level"));
        const std::optional<EncodedAreas::Span> area =
            EncodedAreas::EncodedAreaBefore(before.text, before.caret);
        require(area.has_value(), QStringLiteral("stepped in outside an encoded value"));
        mRecords.append({before.text, area->start, area->length, before.text.mid(area->start, area->length),
                         box()->Text()});
        mHistory.append(History());
        require(whole() == before.whole, QStringLiteral("stepping in changed the whole text"));
    }

    // Back, Alt+Left and Value step out with the text as it stood; a host's slot reading Value may step
    // out in the middle of another action, after its edit.
    void stepOut(const MonkeyAction& a, const Before& before, int level) {
        const bool plain = a.op == QLatin1String("read") || a.op == QLatin1String("button") ||
                           (a.op == QLatin1String("key") && a.arg == QLatin1String("Alt+Left"));
        QString text = before.text;
        while (mRecords.size() > level - 1) {
            const Record r = mRecords.takeLast();
            mHistory.removeLast();
            const bool edited = plain ? text != r.shown : box()->Text() != r.outer;
            text = QString(r.outer).replace(r.start, r.length, edited ? b64(text) : r.stored);
            if (edited && mRecords.size() == level - 1) {
                mHistory.last().starts.append(r.outer); // the new value is a step of its own
                mHistory.last().redos.clear();
            }
        }
        if (plain) {
            require(box()->Text() == text, QStringLiteral("stepping out wrote back \"%1\", not \"%2\"")
                                               .arg(escaped(box()->Text().left(80)), escaped(text.left(80))));
            require(whole() == before.whole, QStringLiteral("stepping out changed the whole text"));
        }
    }

    void sameLevel(const MonkeyAction& a, const Before& before) {
        History& h = mHistory.last();
        const int undo = state().mpcUndo->Count(), redo = state().mpcRedo->Count();
        const bool redoAction = (a.op == QLatin1String("key") && a.arg == QLatin1String("Ctrl+Y")) ||
                                a.arg == QLatin1String("mnuRedo");
        if (undo == before.undo && redo == before.redo)
            return;
        if (undo == before.undo - 1 && redo == before.redo + 1) {
            require(!h.starts.isEmpty() && box()->Text() == h.starts.takeLast(),
                    QStringLiteral("Undo did not give back the text its step began from"));
            h.redos.append(before.text);
        } else if (redoAction && undo == before.undo + 1 && redo == before.redo - 1) {
            require(!h.redos.isEmpty() && box()->Text() == h.redos.takeLast(),
                    QStringLiteral("Redo did not give back the text before the Undo"));
            h.starts.append(before.text);
        } else if (undo == before.undo + 1 && redo == 0) {
            h.starts.append(before.text);
            h.redos.clear();
        } else {
            throw Failure{QStringLiteral("the history went from %1/%2 to %3/%4 steps")
                              .arg(QString::number(before.undo), QString::number(before.redo),
                                   QString::number(undo), QString::number(redo))};
        }
    }

    QWidget mWindow;
    qxcSCRIPTEditor* mEditor = new qxcSCRIPTEditor(&mWindow);
    EditorPrivate& d = EditorPrivate::of(*mEditor);
    ModalAnswerer mAnswerer;
    bool mSlotReadsValue = true;
    QStringList mCaptured;
    QList<Record> mRecords;  // one per open level above 1
    QList<History> mHistory; // one per open level, level 1 first
};

MonkeyAction pickAction(QRandomGenerator& random) {
    const auto pick = [&](const QStringList& from) { return from[int(random.bounded(int(from.size())))]; };
    const int roll = int(random.bounded(100));
    if (roll < 24)
        return {"type", pick(kPieces)};
    if (roll < 25)
        return {"seltext", pick(kPieces)};
    if (roll < 35)
        return {"key", pick(kEditKeys)};
    if (roll < 47)
        return {"key", pick(kMoveKeys)};
    if (roll < 50)
        return {"key", pick({"Escape", "Ctrl+Space", "Ctrl+=", "Ctrl+-", "Ctrl+0"})};
    if (roll < 56)
        return {"click", QString::number(random.bounded(1000))};
    if (roll < 62)
        return {"clickvalue", QString::number(random.bounded(4))};
    if (roll < 68)
        return {"key", "Ctrl+E"};
    if (roll < 72)
        return random.bounded(2) ? MonkeyAction{"key", "Alt+Left"} : MonkeyAction{"button", "cmdBack"};
    if (roll < 77)
        return {"key", "Ctrl+Z"};
    if (roll < 80)
        return {"key", "Ctrl+Y"};
    if (roll < 83)
        return {"rclick", QString()};
    if (roll < 87)
        return {"menu", pick(kMenuItems)};
    if (roll < 89)
        return {"selecttag", QString()};
    if (roll < 90)
        return {"find", pick({"x", "QX", "\r\n", "~64"})};
    if (roll < 91)
        return {"replace", pick({"x\ty", "a\t", "\r\n\t "})};
    if (roll < 95)
        return {"value", QString::number(random.bounded(6))};
    if (roll < 96)
        return {"read", QString()};
    if (roll < 97)
        return {"slot", QString()};
    if (roll < 98)
        return {"view", random.bounded(2) ? "lines" : "current"};
    if (roll < 99)
        return {"lock", QString()};
    return {"pause", QString()};
}

} // namespace

QString toText(const QList<MonkeyAction>& actions) {
    QStringList lines;
    for (const MonkeyAction& a : actions)
        lines << (a.arg.isEmpty() ? a.op : a.op + u' ' + escaped(a.arg));
    return lines.join(u'\n');
}

QList<MonkeyAction> actionsFromText(const QString& text) {
    QList<MonkeyAction> actions;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype space = line.indexOf(u' ');
        actions.append(space < 0 ? MonkeyAction{line, QString()}
                                 : MonkeyAction{line.left(space), unescaped(line.mid(space + 1))});
    }
    return actions;
}

QList<MonkeyAction> randomActions(quint32 seed, int count) {
    QRandomGenerator random(seed);
    QList<MonkeyAction> actions{{QStringLiteral("value"), QString::number(random.bounded(6))}};
    for (qsizetype roundStart = 0; actions.size() < count;) {
        if (actions.size() - roundStart >= 60) { // each round well inside what the history keeps
            actions.append({QStringLiteral("round"), QString()});
            roundStart = actions.size();
            continue;
        }
        MonkeyAction a = pickAction(random);
        if (a.op == QLatin1String("type")) { // one key per action, so checks fall between keys
            for (const QChar c : a.arg)
                if (actions.size() < count)
                    actions.append({QStringLiteral("type"), QString(c)});
            continue;
        }
        actions.append(a);
    }
    return actions;
}

std::optional<QString> runActions(const QList<MonkeyAction>& actions) {
    Run run;
    int number = 0;
    try {
        for (const MonkeyAction& a : actions) {
            ++number;
            run.act(a);
        }
        ++number;
        run.endRound();
    } catch (const Failure& failure) {
        return QStringLiteral("action %1 (%2): %3")
            .arg(number)
            .arg(number <= actions.size() ? toText({actions[number - 1]}) : QStringLiteral("end of the run"),
                 failure.what);
    }
    return std::nullopt;
}

// Removes ever smaller pieces while the run still fails (delta debugging, one piece at a time).
QList<MonkeyAction> shrink(QList<MonkeyAction> actions,
                           const std::function<bool(const QList<MonkeyAction>&)>& fails) {
    for (qsizetype piece = actions.size() / 2; piece >= 1; piece /= 2) {
        for (qsizetype at = 0; at < actions.size();) {
            QList<MonkeyAction> without = actions;
            without.remove(at, qMin(piece, actions.size() - at));
            if (fails(without))
                actions = without;
            else
                at += piece;
        }
    }
    return actions;
}

} // namespace qx::test

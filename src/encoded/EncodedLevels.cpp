#include "encoded/EncodedLevels.h"

#include "encoded/EncodedAreas.h"
#include "hostlib/Library.h"
#include "hostlib/Properties.h"
#include "platform/CodeBox.h"
#include "platform/EditBar.h"
#include "platform/EditorState.h"
#include "platform/MessageBox.h"
#include "platform/ScopedFlag.h"
#include "platform/StatusPanels.h"

#include <QCoreApplication>

namespace qx {

namespace {
const QString& kBackButton = EditBar::kBackButton;
const QString& kEditButton = EditBar::kEditButton;
const QString kLevelPanel = QStringLiteral("Level");
const QString kSeparator = QStringLiteral(":");

// What stepping in from a level keeps of it: where the area's content stands in the outer text, the whole
// outer text, the content as it was stored, and the decoded text as the box showed it on the way in (a
// box that presents line breaks as CR LF may show it differently from the decoded bytes).
struct LevelRecord {
    int start = 0;
    int length = 0;
    QString text;
    QString stored;
    QString shown;

    QString toText() const {
        Properties record;
        record.Add(QStringLiteral("Start"), start, true);
        record.Add(QStringLiteral("Length"), length, true);
        record.Add(QStringLiteral("Text"), text, true);
        record.Add(QStringLiteral("Stored"), stored, true);
        record.Add(QStringLiteral("Shown"), shown, true);
        return record.ToText();
    }

    static LevelRecord fromText(const QString& recordText) {
        Properties record;
        record.Build(recordText, 0, 0, kSeparator);
        const auto value = [&record](const char* name) {
            const Property* item = record.Item(QLatin1String(name));
            return item ? item->Value().toString() : QString();
        };
        return {value("Start").toInt(), value("Length").toInt(), value("Text"), value("Stored"),
                value("Shown")};
    }
};
} // namespace

EncodedLevels::EncodedLevels(CodeBox& box, EditorState& state, EditBar& bar, StatusPanels& panels,
                             MessageBox& messages, Hooks hooks)
    : mBox(box)
    , mState(state)
    , mBar(bar)
    , mPanels(panels)
    , mMessages(messages)
    , mHooks(std::move(hooks)) {}

// The content is decoded before anything changes, so that content which is not Base64 leaves the text,
// the selection and the level as they were. A click on an Edit button that is out of date does nothing.
void EncodedLevels::EditEncoded() {
    if (mState.mbBusy)
        return;
    {
        const ScopedFlag busy(mState.mbBusy);
        const QString outer = mBox.Text();
        const int caret = mBox.SelStart();
        if (!EncodedAreas::CaretInEncodedArea(outer, caret))
            return;
        const std::optional<EncodedAreas::Span> area = EncodedAreas::EncodedAreaBefore(outer, caret);
        if (!area)
            return;
        LevelRecord record{area->start, area->length, outer, outer.mid(area->start, area->length), {}};
        QString inner;
        try {
            inner = Library::instance().Base64Decode(record.stored);
        } catch (const std::exception& error) {
            mMessages.Show(MessageBox::Icon::Exclamation,
                           QCoreApplication::translate("qxcSCRIPTEditor", "Edit"),
                           QCoreApplication::translate("qxcSCRIPTEditor",
                                                       "This encoded value can not be edited: its content "
                                                       "does not decode.\n%1")
                               .arg(QString::fromUtf8(error.what())));
            return;
        }

        const int level = mState.mlLevel;
        mState.maLevelHistory.push_back({std::move(mState.mpcUndo), std::move(mState.mpcRedo)});
        mState.mpcUndo = std::make_unique<UndoStack>();
        mState.mpcRedo = std::make_unique<UndoStack>();
        mBar.setButtonEnabled(kBackButton, true);
        mBar.setButtonEnabled(kEditButton, false);
        mState.mlLevel = level + 1;
        showLevel();
        {
            const ScopedFlag swapping(mSwapping);
            mBox.setText(inner);
        }
        record.shown = mBox.Text();
        mState.masLevelText.resize(level + 2);
        mState.masLevelText[level] = record.toText();
        if (mHooks.updateStates)
            mHooks.updateStates();
        if (mHooks.unloadPopups)
            mHooks.unloadPopups();
    }
    if (mHooks.requestDelayedPass)
        mHooks.requestDelayedPass();
}

void EncodedLevels::GoBack() {
    if (mState.mlLevel <= 1 || mState.mbBusy)
        return;
    {
        const ScopedFlag busy(mState.mbBusy);
        const ScopedFlag swapping(mSwapping);
        const int outer = mState.mlLevel - 1;
        const LevelRecord record = LevelRecord::fromText(mState.masLevelText.value(outer));
        const QString inner = mBox.Text();
        const bool edited = inner != record.shown;
        const QString encoded = edited ? Library::instance().Base64Encode(inner) : record.stored;

        // The outer text comes back while the inner history is still in place, so the outer history gains
        // only the replacement of the area's content.
        mBox.setText(record.text);
        restoreHistory(mState.maLevelHistory.size() - 1);
        mState.mlLevel = outer;
        mState.masLevelText.resize(outer + 1);
        mState.masLevelText[outer].clear();

        mBox.setSelStart(record.start);
        mBox.setSelLength(record.length);
        if (edited && mHooks.recordStep)
            mHooks.recordStep();
        mBox.setSelText(encoded);
        mBox.setSelStart(record.start);
        mBox.setSelLength(int(encoded.size()));
        mBox.SetFocus();

        showLevel();
        mBar.setButtonEnabled(kBackButton, outer > 1);
        mBar.setButtonEnabled(kEditButton, true);
        if (mHooks.updateStates)
            mHooks.updateStates();
        if (edited)
            mState.mbChanged = true;
    }
    if (mHooks.highlightPass)
        mHooks.highlightPass();
}

QString EncodedLevels::TopLevelText() const {
    QString text = mBox.Text();
    for (int level = mState.mlLevel - 1; level >= 1; --level) {
        const LevelRecord record = LevelRecord::fromText(mState.masLevelText.value(level));
        const QString content = text != record.shown ? Library::instance().Base64Encode(text) : record.stored;
        text = QString(record.text).replace(record.start, record.length, content);
    }
    return text;
}

// Stops early when a step cannot be taken (while the control is busy), rather than loop.
void EncodedLevels::FoldLevels() {
    while (mState.mlLevel > 1) {
        const int level = mState.mlLevel;
        GoBack();
        if (mState.mlLevel == level)
            return;
    }
}

// Level 1's text is put back first, while the inner history is still in place: the new value then joins
// level 1's history as a change of level 1's own text.
void EncodedLevels::ResetLevels() {
    if (mState.mlLevel <= 1)
        return;
    {
        const ScopedFlag busy(mState.mbBusy);
        const ScopedFlag swapping(mSwapping);
        mBox.setText(LevelRecord::fromText(mState.masLevelText.value(1)).text);
    }
    restoreHistory(0);
    mState.masLevelText = {QString(), QString()};
    mState.mlLevel = 1;
    showLevel();
    mBar.setButtonEnabled(kBackButton, false);
    mBar.setButtonEnabled(kEditButton, mState.mbInEncodedArea);
}

// The histories of the level kept at `index` become the current ones; those of the levels above it go.
void EncodedLevels::restoreHistory(std::size_t index) {
    if (index >= mState.maLevelHistory.size())
        return;
    EditorState::LevelHistory& saved = mState.maLevelHistory[index];
    mState.mpcUndo = std::move(saved.mpcUndo);
    mState.mpcRedo = std::move(saved.mpcRedo);
    mState.maLevelHistory.resize(index);
}

bool EncodedLevels::CaretInEncodedArea(int caret) {
    return EncodedAreas::CaretInEncodedArea(mBox, caret, mMarkers.LastBefore(mBox, caret));
}

void EncodedLevels::Edited(int position, int removed, int added) {
    mMarkers.Edited(mBox, position, removed, added);
}

void EncodedLevels::showLevel() {
    mPanels.setPanelText(kLevelPanel, QString::number(mState.mlLevel));
}

} // namespace qx

#include "control/UndoHistory.h"

#include "platform/memory/MemoryCodeBox.h"

#include <gtest/gtest.h>

namespace {

using qx::MemoryCodeBox;
using qx::UndoHistory;
using qx::UndoStack;

// Types like the keystroke handling does: a snapshot just before each character reaches the text. The
// box's edits reach the history as they reach the control.
class UndoHistoryTest : public ::testing::Test, public qx::CodeBoxEvents {
protected:
    UndoHistoryTest() { setEvents(box, this); }
    void Edited(int position, const QString& removed, int added) override {
        history.Edited(position, removed, added);
    }

    MemoryCodeBox box;
    qx::EditorState state;
    bool& busy = state.mbBusy;
    UndoStack& undo = *state.mpcUndo;
    UndoStack& redo = *state.mpcRedo;
    int passRequests = 0;
    UndoHistory history{box, state, [this] { ++passRequests; }};

    void type(const QString& text) {
        for (QChar c : text) {
            history.RecordSnapshot();
            box.setSelText(QString(c));
        }
    }
};

TEST_F(UndoHistoryTest, UndoUndoRedoWalksTheSnapshotsWithTheCaret) {
    type("ab");
    history.Undo();
    EXPECT_EQ(box.Text(), "a");
    EXPECT_EQ(box.SelStart(), 1);
    history.Undo();
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(box.SelStart(), 0);
    history.Redo();
    EXPECT_EQ(box.Text(), "a");
    EXPECT_EQ(box.SelStart(), 1);
    EXPECT_EQ(passRequests, 3);
    EXPECT_FALSE(busy);
    // Redo pushed the undone step back, with the caret it found.
    history.Undo();
    EXPECT_EQ(box.SelStart(), 0);
}

TEST_F(UndoHistoryTest, UndoStackKeepsTheLatestHundred) {
    type(QString(101, QLatin1Char('x')));
    ASSERT_EQ(undo.Count(), 100);
    for (int i = 0; i < 150; ++i)
        history.Undo();
    EXPECT_EQ(box.Text(), "x");
    EXPECT_EQ(undo.Count() + redo.Count(), 100);
}

TEST_F(UndoHistoryTest, TypingAfterUndoEmptiesRedo) {
    type("ab");
    history.Undo();
    type("c");
    EXPECT_EQ(redo.Count(), 0);
    const QString before = box.Text();
    history.Redo();
    EXPECT_EQ(box.Text(), before);
}

TEST_F(UndoHistoryTest, EmptyStacksAndBusyRecordNothing) {
    history.Undo();
    history.Redo();
    EXPECT_EQ(passRequests, 0);
    busy = true;
    history.RecordSnapshot();
    EXPECT_EQ(undo.Count(), 0);
}

TEST_F(UndoHistoryTest, RestoringIsTheControlsOwnChange) {
    type("a");
    bool busyDuringChange = false;
    struct Watcher : qx::CodeBoxEvents {
        const bool* busy;
        bool* seen;
        UndoHistory* history;
        void Change() override { *seen = *busy; }
        void Edited(int position, const QString& removed, int added) override {
            history->Edited(position, removed, added);
        }
    } watcher;
    watcher.busy = &busy;
    watcher.seen = &busyDuringChange;
    watcher.history = &history;
    setEvents(box, &watcher);
    history.Undo();
    EXPECT_TRUE(busyDuringChange);
    setEvents(box, nullptr);
}

} // namespace

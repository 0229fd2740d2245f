#include "control/UndoHistory.h"

#include "platform/memory/MemoryCodeBox.h"

#include <gtest/gtest.h>

namespace {

using qx::MemoryCodeBox;
using qx::Properties;
using qx::UndoHistory;

// Types like the keystroke handling does: a snapshot just before each character reaches the text.
class UndoHistoryTest : public ::testing::Test {
protected:
    MemoryCodeBox box;
    qx::EditorState state;
    bool& busy = state.mbBusy;
    Properties& undo = *state.mpcUndo;
    Properties& redo = *state.mpcRedo;
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
    // Redo pushed the undone state back with the "Redo" prefix.
    EXPECT_EQ(undo.Item(undo.Count())->Name(), "Redo0");
}

TEST_F(UndoHistoryTest, UndoStackKeepsTheLatestHundred) {
    type(QString(101, QLatin1Char('x')));
    ASSERT_EQ(undo.Count(), 100);
    EXPECT_EQ(undo.Item(1)->Value().toString(), "x") << "the empty start is gone";
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
        void Change() override { *seen = *busy; }
    } watcher;
    watcher.busy = &busy;
    watcher.seen = &busyDuringChange;
    setEvents(box, &watcher);
    history.Undo();
    EXPECT_TRUE(busyDuringChange);
    setEvents(box, nullptr);
}

} // namespace

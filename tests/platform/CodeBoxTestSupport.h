#pragma once

#include "platform/CodeBox.h"
#include "platform/KeyCodes.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/QtCodeBox.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace qx::test {

// Records a box's events as "KeyDown 65 0", "Change", ..., shows each to onEvent, swallows or replaces keys
// as a handler may, and replays Edited on a copy of the text that must end up as the box's text.
class EventRecorder : public CodeBoxEvents {
public:
    void Change() override { record("Change"); }
    void Edited(int position, const QString& removed, int added) override {
        editsMatch = editsMatch && copy.mid(position, removed.size()) == removed;
        copy.replace(position, removed.size(), box->TextRange(position, position + added));
    }
    void KeyDown(int& keyCode, int shift) override {
        record("KeyDown", keyCode, shift);
        keyCode = keyCode == swallowKeyDown ? 0 : keyCode;
    }
    void KeyPress(int& keyAscii) override {
        record("KeyPress", keyAscii);
        keyAscii = keyAscii == replaceFrom ? replaceTo : keyAscii;
    }
    void KeyUp(int& keyCode, int shift) override { record("KeyUp", keyCode, shift); }
    void MouseDown(int button, int shift, int, int) override { record("MouseDown", button, shift); }
    void MouseUp(int button, int shift, int, int) override { record("MouseUp", button, shift); }
    void SelChange() override { record("SelChange"); }
    void GotFocus() override { record("GotFocus"); }
    void LostFocus() override { record("LostFocus"); }
    // "BeforeInput Drop 3": the kind and the caret when asked.
    bool BeforeInput(TextInput kind) override {
        static const char* const kNames[] = {"Drop", "SelectionPaste", "InputMethod", "MenuPaste", "MenuCut"};
        record(QStringLiteral("BeforeInput %1").arg(kNames[int(kind)]), box->SelStart());
        return allowInput;
    }

    int count(const QString& event) const { return int(log.count(event)); }
    // Boxes may raise SelChange more or less often while the caret moves.
    QStringList withoutSelChange() const { return QStringList(log).filter(QRegularExpression("^(?!SelC)")); }

    const CodeBox* box = nullptr;
    QString copy;
    bool editsMatch = true, allowInput = true;
    QStringList log;
    int swallowKeyDown = -1, replaceFrom = -1, replaceTo = -1;
    std::function<void(const QString&)> onEvent;

private:
    template <class... Numbers> void record(const QString& name, Numbers... numbers) {
        QString event = name;
        ((event += ' ' + QString::number(numbers)), ...);
        log << event;
        if (onEvent)
            onEvent(event);
    }
};

// A box with a recorder: the Qt box shown in an active window and driven by real keys, the memory box by its
// own simulation of the user.
template <class Box> class CodeBoxFixture : public ::testing::Test {
protected:
    static constexpr bool kQt = std::is_same_v<Box, QtCodeBox>;
    void SetUp() override {
        if constexpr (kQt) {
            box.resize(300, 200);
            box.show();
            QApplication::setActiveWindow(&box);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        }
        events.box = &box;
        setEvents(box, &events);
    }
    void TearDown() override {
        setEvents(box, nullptr);
        EXPECT_TRUE(events.editsMatch);
        EXPECT_EQ(events.copy, box.Text()) << "Edited told of every change";
    }

    void setTextQuietly(const QString& text) { box.setText(text), events.log.clear(); }
    void selectQuietly(int start, int length) {
        box.setSelStart(start), box.setSelLength(length), events.log.clear();
    }
    void type(const QString& text) {
        if constexpr (kQt)
            QTest::keyClicks(&box, QString(text).replace("\r\n", "\r").replace('\n', '\r'));
        else
            box.typeText(text);
    }
    void press(int vk, int shift = 0) {
        if constexpr (kQt) {
            static const QHash<int, Qt::Key> keys = {
                {VK_RETURN, Qt::Key_Return}, {VK_BACK, Qt::Key_Backspace}, {VK_DELETE, Qt::Key_Delete},
                {VK_RIGHT, Qt::Key_Right},   {VK_HOME, Qt::Key_Home},      {VK_END, Qt::Key_End},
                {VK_INSERT, Qt::Key_Insert}};
            // Shift, Ctrl and Alt (1, 2, 4) are Qt's modifier bits 25 to 27.
            QTest::keyClick(&box, keys.value(vk, Qt::Key(vk)),
                            Qt::KeyboardModifiers::fromInt((shift & 7) << 25));
        } else {
            box.pressKey(vk, shift);
        }
    }
    void setClipboard(const QString& text) {
        if constexpr (kQt)
            QApplication::clipboard()->setText(text);
        else
            box.setClipboardText(text);
    }
    QString clipboard() const {
        if constexpr (kQt)
            return QApplication::clipboard()->text();
        else
            return box.clipboardText();
    }

    Box box;
    EventRecorder events;
};

} // namespace qx::test

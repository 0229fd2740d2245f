#pragma once

#include "platform/InputBox.h"

#include <QList>

namespace qx {

// Answers from a queue that the test fills, recording every question. With the queue empty it
// answers OK with the default text, as a user who just presses Enter.
class MemoryInputBox final : public InputBox {
public:
    struct Question {
        QString prompt;
        QString title;
        QString defaultText;
    };

    // The next question is answered OK with this text.
    void answer(const QString& text) { mAnswers.append(text); }
    // The next question is cancelled.
    void cancel() { mAnswers.append(std::nullopt); }

    std::optional<QString> Ask(const QString& prompt, const QString& title,
                               const QString& defaultText) override {
        mQuestions.append({prompt, title, defaultText});
        return mAnswers.isEmpty() ? std::optional<QString>(defaultText) : mAnswers.takeFirst();
    }
    const QList<Question>& questions() const { return mQuestions; }

private:
    QList<std::optional<QString>> mAnswers;
    QList<Question> mQuestions;
};

} // namespace qx

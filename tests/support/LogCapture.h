#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace qx::test {

// Records the warnings of the library's logging category ("qxTagEditor2") for the life of the object;
// messages of other categories go on to the handler that was installed before.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& warnings() const { return mWarnings; }
    // The recorded warnings joined by line breaks, for EXPECT_THAT(..., HasSubstr(...)).
    std::string text() const { return mWarnings.join('\n').toStdString(); }
    void clear() { mWarnings.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QStringList mWarnings;
    QtMessageHandler mPrevious = nullptr;
    LogCapture* mOuter = nullptr;
};

} // namespace qx::test

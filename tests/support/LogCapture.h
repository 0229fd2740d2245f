#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstring>
#include <string>

namespace qx::test {

// Records the warnings of the library's logging category ("qxTagEditor2") for the life of the object;
// messages of other categories go on to the handler that was installed before.
class LogCapture {
public:
    LogCapture()
        : mOuter(sActive) {
        sActive = this, mPrevious = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(mPrevious), sActive = mOuter; }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& warnings() const { return mWarnings; }
    // The recorded warnings joined by line breaks, for EXPECT_THAT(..., HasSubstr(...)).
    std::string text() const { return mWarnings.join('\n').toStdString(); }
    void clear() { mWarnings.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtWarningMsg && context.category && std::strcmp(context.category, "qxTagEditor2") == 0)
            sActive->mWarnings << message;
        else if (sActive->mPrevious)
            sActive->mPrevious(type, context, message);
    }

    static inline LogCapture* sActive = nullptr;
    QStringList mWarnings;
    QtMessageHandler mPrevious = nullptr;
    LogCapture* mOuter = nullptr;
};

} // namespace qx::test

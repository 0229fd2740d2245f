#include "support/LogCapture.h"

#include <cstring>

namespace qx::test {

namespace {
LogCapture* gActive = nullptr;
}

LogCapture::LogCapture()
    : mOuter(gActive) {
    gActive = this;
    mPrevious = qInstallMessageHandler(&LogCapture::handle);
}

LogCapture::~LogCapture() {
    qInstallMessageHandler(mPrevious);
    gActive = mOuter;
}

void LogCapture::handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (gActive && type == QtWarningMsg && context.category &&
        std::strcmp(context.category, "qxTagEditor2") == 0) {
        gActive->mWarnings << message;
        return;
    }
    if (gActive && gActive->mPrevious)
        gActive->mPrevious(type, context, message);
}

} // namespace qx::test

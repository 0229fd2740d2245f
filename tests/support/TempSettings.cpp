#include "support/TempSettings.h"

#include <QDir>

namespace qx::test {

namespace {
const char* const kVariables[4] = {"QXTE_USER_SETTINGS", "QXTE_MACHINE_SETTINGS", "QXTE_USER_DATA_DIR",
                                   "QXTE_COMMON_DIR"};
}

TempSettings::TempSettings() {
    const QString values[4] = {userSettingsFile(), machineSettingsFile(), userDataDir(), commonDir()};
    QDir().mkpath(userDataDir());
    QDir().mkpath(commonDir());
    for (int i = 0; i < 4; ++i) {
        mWasSet[i] = qEnvironmentVariableIsSet(kVariables[i]);
        mSaved[i] = qgetenv(kVariables[i]);
        qputenv(kVariables[i], values[i].toUtf8());
    }
}

TempSettings::~TempSettings() {
    for (int i = 0; i < 4; ++i) {
        if (mWasSet[i])
            qputenv(kVariables[i], mSaved[i]);
        else
            qunsetenv(kVariables[i]);
    }
}

QString TempSettings::userSettingsFile() const {
    return mDir.filePath(QStringLiteral("user.ini"));
}
QString TempSettings::machineSettingsFile() const {
    return mDir.filePath(QStringLiteral("machine.ini"));
}
QString TempSettings::userDataDir() const {
    return mDir.filePath(QStringLiteral("userdata"));
}
QString TempSettings::commonDir() const {
    return mDir.filePath(QStringLiteral("common"));
}

} // namespace qx::test

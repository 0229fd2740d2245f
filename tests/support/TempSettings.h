#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace qx::test {

// Points the per-user and per-machine settings, the user data folder and the common folder at a fresh
// temporary folder for the life of the object, and restores the environment afterwards.
class TempSettings {
public:
    TempSettings() {
        QDir().mkpath(mDir.filePath(QStringLiteral("userdata")));
        QDir().mkpath(commonDir());
        for (int i = 0; i < 4; ++i) {
            mWasSet[i] = qEnvironmentVariableIsSet(kVariables[i]);
            mSaved[i] = qgetenv(kVariables[i]);
            qputenv(kVariables[i], mDir.filePath(QLatin1String(kPlaces[i])).toUtf8());
        }
    }
    ~TempSettings() {
        for (int i = 0; i < 4; ++i)
            mWasSet[i] ? qputenv(kVariables[i], mSaved[i]) : qunsetenv(kVariables[i]);
    }
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    QString path() const { return mDir.path(); }
    QString commonDir() const { return mDir.filePath(QStringLiteral("common")); }

private:
    static constexpr const char* kVariables[4] = {"QXTE_USER_SETTINGS", "QXTE_MACHINE_SETTINGS",
                                                  "QXTE_USER_DATA_DIR", "QXTE_COMMON_DIR"};
    static constexpr const char* kPlaces[4] = {"user.ini", "machine.ini", "userdata", "common"};
    QTemporaryDir mDir;
    QByteArray mSaved[4];
    bool mWasSet[4] = {};
};

} // namespace qx::test

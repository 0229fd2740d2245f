#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace qx::test {

// Points the per-user and per-machine settings, the user data folder and the common folder at a fresh
// temporary folder for the life of the object, and restores the environment afterwards.
class TempSettings {
public:
    TempSettings();
    ~TempSettings();
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    QString path() const { return mDir.path(); }
    QString userSettingsFile() const;
    QString machineSettingsFile() const;
    QString userDataDir() const;
    QString commonDir() const;

private:
    QTemporaryDir mDir;
    QByteArray mSaved[4];
    bool mWasSet[4] = {};
};

} // namespace qx::test

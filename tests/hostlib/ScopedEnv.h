#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// Sets an environment variable for the life of a test and puts the old state back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : mName(name) {
        if (qEnvironmentVariableIsSet(name))
            mOld = qgetenv(name);
        qputenv(name, value.toUtf8());
    }
    ~ScopedEnv() { mOld ? qputenv(mName, *mOld) : qunsetenv(mName); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* mName;
    std::optional<QByteArray> mOld;
};

#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets an environment variable for the life of a test and puts the old state back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : mName(name)
        , mHad(qEnvironmentVariableIsSet(name))
        , mOld(qgetenv(name)) {
        qputenv(name, value.toUtf8());
    }
    ~ScopedEnv() {
        if (mHad) {
            qputenv(mName, mOld);
        } else {
            qunsetenv(mName);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* mName;
    bool mHad;
    QByteArray mOld;
};

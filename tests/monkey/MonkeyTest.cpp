#include "monkey/Monkey.h"

#include "support/TempSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

int fromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// A list runs in a process of its own, so that a crash (the sanitizers abort) counts as a failure too.
bool failsInAChild(const QList<MonkeyAction>& actions) {
    QTemporaryFile list;
    if (!list.open())
        return false;
    list.write(toText(actions).toUtf8());
    list.flush();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QX_MONKEY_REPLAY"), list.fileName());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=Monkey.Replay")});
    child.waitForFinished(-1);
    return child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0;
}

// Runs a seed; a failure is shrunk to the shortest list of actions that still fails, which is printed so
// that it can be kept in tests/monkey/found/ as a regression. QX_MONKEY_SEED and QX_MONKEY_ACTIONS choose
// the run (scripts/monkey.sh); QX_MONKEY_ISOLATE runs every list in a child process.
void runSeed(int defaultActions) {
    const TempSettings settings;
    const auto seed = quint32(fromEnvironment("QX_MONKEY_SEED", 20261207));
    const QList<MonkeyAction> actions =
        randomActions(seed, fromEnvironment("QX_MONKEY_ACTIONS", defaultActions));
    const bool isolate = qEnvironmentVariableIsSet("QX_MONKEY_ISOLATE");
    const std::optional<QString> failure = isolate ? std::optional<QString>() : runActions(actions);
    // In process, a shorter list counts only when it fails the same check (its first words).
    const auto check = [](const QString& failure) {
        return failure.section(QStringLiteral("): "), 1).section(u' ', 0, 3);
    };
    const auto fails = [&](const QList<MonkeyAction>& list) {
        if (isolate)
            return failsInAChild(list);
        const std::optional<QString> again = runActions(list);
        return again && check(*again) == check(*failure);
    };
    if (!failure && !(isolate && failsInAChild(actions)))
        return;
    const QList<MonkeyAction> shortest = shrink(actions, fails);
    ADD_FAILURE() << "seed " << seed << ": "
                  << failure.value_or("the run failed in a child process").toStdString()
                  << "\nThe shortest list of actions that fails (" << shortest.size() << "):\n"
                  << toText(shortest).toStdString();
}

// Runs the list of actions a file holds.
void runFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const std::optional<QString> failure = runActions(actionsFromText(QString::fromUtf8(file.readAll())));
    EXPECT_FALSE(failure.has_value())
        << path.toStdString() << ": " << failure.value_or(QString()).toStdString();
}

TEST(Monkey, AFixedSeedRunsClean) {
    runSeed(5000);
}

// The same in a real X window, when the tests run on the xcb platform.
TEST(Monkey, InARealWindow) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    runSeed(2000);
}

// Lists the monkey found once: each stays fixed.
TEST(Monkey, FoundListsStayFixed) {
    const TempSettings settings;
    const QDir found(QStringLiteral(QX_MONKEY_FOUND_DIR));
    for (const QString& name : found.entryList({QStringLiteral("*.txt")}))
        runFile(found.filePath(name));
}

// One list from a file, for the child processes of an isolated run.
TEST(Monkey, Replay) {
    const QString path = qEnvironmentVariable("QX_MONKEY_REPLAY");
    if (path.isEmpty())
        GTEST_SKIP() << "QX_MONKEY_REPLAY names no list";
    const TempSettings settings;
    runFile(path);
}

} // namespace
} // namespace qx::test

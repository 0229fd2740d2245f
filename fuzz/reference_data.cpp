// The reference-data loader and the script reference answers built on it.
//  - Any bytes either parse or are refused with the library's error.
//  - The file loaded through the cache gives what parsing the bytes gives (nothing for a refused file),
//    also when the same path changes from one input to the next.
//  - Every list the script reference hands out (handler items, command values, argument values) reads
//    back with Properties::Build as exactly the list of the file, whatever characters its names hold.
//  - Handler names offered after the opener hold no hyphen; those offered after a name follow that name.
#include "FuzzSupport.h"

#include "hostlib/LibraryError.h"
#include "hostlib/Properties.h"
#include "hostlib/ReferenceData.h"
#include "hostlib/ScriptReference.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QDateTime>
#include <QFile>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using qx::ReferenceData;
using qx::fuzz::shown;

constexpr int kMaxChecked = 16; // handlers, commands and arguments checked per input

QStringList namesOf(const QString& list) {
    qx::Properties items;
    items.Build(list, 0, 0, QStringLiteral(":"));
    QStringList names;
    for (const qx::Property& item : items)
        names << item.Name();
    return names;
}

QString describe(const QStringList& names) {
    QStringList parts;
    for (const QString& name : names)
        parts << shown(name);
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

void checkList(const QString& list, const QStringList& expected, const QString& what) {
    const QStringList names = namesOf(list);
    QX_FUZZ_CHECK(names == expected, QStringLiteral("%1: the list %2 reads back as %3, the file has %4")
                                         .arg(what, shown(list), describe(names), describe(expected)));
}

// Writes the input to the same path each time with a new modification time, so that the cache must see
// the change even when the size stays the same.
void writeFile(const QString& path, const QByteArray& bytes) {
    static qint64 written = 0;
    QFile file(path);
    // The time is set after the bytes reach the file, or writing them would stamp it anew.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush() ||
        !file.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++written),
                          QFileDevice::FileModificationTime))
        qx::fuzz::fail(__FILE__, __LINE__, "the input can be written", path);
}

void checkAnswers(const ReferenceData& data, qx::ScriptReference& reference) {
    int handlersChecked = 0;
    for (const ReferenceData::Handler& handler : data.handlers) {
        if (++handlersChecked > kMaxChecked)
            break;
        const ReferenceData::Handler* found = data.findHandler(handler.name.trimmed());
        checkList(reference.HandlerItems(handler.name), found ? found->items : QStringList(),
                  QStringLiteral("items of %1").arg(shown(handler.name)));

        // A name that trims to nothing asks for the names after the opener, checked below.
        const auto followers = handler.name.trimmed().isEmpty() ? std::make_unique<qx::Properties>()
                                                                : reference.HandlerNames(handler.name, false);
        for (const qx::Property& follower : *followers) {
            const QString full = handler.name.trimmed() + QLatin1Char('-') + follower.Name();
            QX_FUZZ_CHECK(
                !follower.Name().contains(QLatin1Char('-')) && data.findHandler(full),
                QStringLiteral("%1 offered after %2").arg(shown(follower.Name()), shown(handler.name)));
        }

        int commandsChecked = 0;
        for (const ReferenceData::Command& command : handler.commands) {
            if (++commandsChecked > kMaxChecked)
                break;
            const QString content = command.name + QStringLiteral(":");
            const QString word = qx::ScriptReference::CommandName(content);
            const ReferenceData::Command* wanted =
                found && !word.isEmpty() ? found->findCommand(word) : nullptr;
            QX_FUZZ_CHECK(reference.CommandSyntax(handler.name, content) ==
                              (wanted ? wanted->syntax : QString()),
                          QStringLiteral("syntax of %1 %2").arg(shown(handler.name), shown(command.name)));
            checkList(reference.CommandValues(handler.name, content), wanted ? wanted->values : QStringList(),
                      QStringLiteral("values of %1 %2").arg(shown(handler.name), shown(command.name)));
            int argumentsChecked = 0;
            for (const ReferenceData::Argument& argument : command.arguments) {
                if (++argumentsChecked > kMaxChecked)
                    break;
                const ReferenceData::Argument* wantedArgument =
                    wanted ? wanted->findArgument(argument.name.trimmed()) : nullptr;
                checkList(reference.ArgumentValues(handler.name, content, argument.name),
                          wantedArgument ? wantedArgument->values : QStringList(),
                          QStringLiteral("values of %1 %2 %3")
                              .arg(shown(handler.name), shown(command.name), shown(argument.name)));
            }
        }
    }
    const auto topLevel = reference.HandlerNames(QString(), false);
    for (const qx::Property& name : *topLevel) {
        QX_FUZZ_CHECK(!name.Name().contains(QLatin1Char('-')) && data.findHandler(name.Name()),
                      QStringLiteral("%1 offered after the opener").arg(shown(name.Name())));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = qx::fuzz::sandbox() + QStringLiteral("/reference.json");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    ReferenceData parsed;
    bool valid = true;
    try {
        parsed = ReferenceData::parse(bytes);
    } catch (const qx::LibraryError&) {
        valid = false;
    }

    writeFile(path, bytes);
    const auto loaded = ReferenceData::load(path);
    QX_FUZZ_CHECK(loaded && loaded->handlers.size() == (valid ? parsed.handlers.size() : 0),
                  QStringLiteral("the cached load of %1 has %2 handlers, parsing gives %3")
                      .arg(shown(bytes))
                      .arg(loaded ? loaded->handlers.size() : -1)
                      .arg(valid ? parsed.handlers.size() : 0));
    if (!valid)
        return 0;

    qxDatabase database(path);
    qx::ScriptReference reference;
    reference.setDatabase(&database);
    checkAnswers(parsed, reference);
    return 0;
}

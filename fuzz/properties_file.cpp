// The property-file loader.
//  - Any bytes either load or are refused with the library's error, and a refused file leaves the
//    collection as it was.
//  - A collection that loaded is saved and loaded again with the same names, values and sub-items.
#include "FuzzSupport.h"

#include "hostlib/LibraryError.h"
#include "hostlib/Properties.h"

#include <QFile>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

using qx::fuzz::shown;

// Names and values of the items and their sub-items, one line each, indented by depth.
void describe(const qx::Properties& items, int depth, QStringList& lines) {
    for (const qx::Property& item : items) {
        lines << QString(depth * 2, QLatin1Char(' ')) + shown(item.Name()) + QLatin1Char('=') +
                     shown(item.Value().toString());
        describe(item.SubProperties(), depth + 1, lines);
    }
}

QString describe(const qx::Properties& items) {
    QStringList lines;
    describe(items, 0, lines);
    return lines.join(QStringLiteral(" | "));
}

bool sameTree(const qx::Properties& a, const qx::Properties& b) {
    if (a.Count() != b.Count())
        return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (i->Name() != j->Name() || i->Value().toString() != j->Value().toString() ||
            !sameTree(i->SubProperties(), j->SubProperties()))
            return false;
    }
    return true;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qx::fuzz::fail(__FILE__, __LINE__, "the input can be written", path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString input = qx::fuzz::sandbox() + QStringLiteral("/input.json");
    static const QString saved = qx::fuzz::sandbox() + QStringLiteral("/saved.json");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    writeFile(input, bytes);

    qx::Properties loaded;
    loaded.Add(QStringLiteral("before"), QStringLiteral("the load"));
    try {
        loaded.LoadFromFile(input);
    } catch (const qx::LibraryError&) {
        QX_FUZZ_CHECK(loaded.Count() == 1 && loaded.Item(1)->Name() == QLatin1String("before") &&
                          loaded.Item(1)->SubProperties().Count() == 0,
                      QStringLiteral("a refused file changed the collection to %1").arg(describe(loaded)));
        return 0;
    }

    qx::Properties reloaded;
    try {
        loaded.SaveFile(saved);
        reloaded.LoadFromFile(saved);
    } catch (const qx::LibraryError& error) {
        qx::fuzz::fail(__FILE__, __LINE__, "a loaded collection saves and loads again",
                       QStringLiteral("%1 for %2").arg(error.message(), shown(bytes)));
    }
    QX_FUZZ_CHECK(sameTree(loaded, reloaded), QStringLiteral("%1 loaded as %2, saved and loaded again as %3")
                                                  .arg(shown(bytes), describe(loaded), describe(reloaded)));
    return 0;
}

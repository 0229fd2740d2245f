#include "FuzzSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qx::fuzz {

void fail(const char* file, int line, const char* condition, const QString& detail) {
    std::fprintf(stderr, "\n==== fuzz property broken at %s:%d\n     check: %s\n     %s\n", file, line,
                 condition, detail.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

QString shown(QStringView text) {
    constexpr qsizetype kKeep = 120;
    QString out;
    const auto append = [&out](QStringView part) {
        for (QChar c : part) {
            const char16_t u = c.unicode();
            if (u >= 0x20 && u < 0x7F && u != '\\')
                out += c;
            else
                out += QStringLiteral("\\u{%1}").arg(int(u), 0, 16);
        }
    };
    out += QLatin1Char('"');
    if (text.size() <= 2 * kKeep) {
        append(text);
    } else {
        append(text.first(kKeep));
        out += QStringLiteral("\" ...(%1 characters)... \"").arg(text.size() - 2 * kKeep);
        append(text.last(kKeep));
    }
    out += QLatin1Char('"');
    return out;
}

QString shown(const QByteArray& bytes) {
    QString out = QStringLiteral("%1 bytes:").arg(bytes.size());
    const qsizetype n = qMin<qsizetype>(bytes.size(), 96);
    for (qsizetype i = 0; i < n; ++i)
        out += QStringLiteral(" %1").arg(int(static_cast<unsigned char>(bytes[i])), 2, 16, QLatin1Char('0'));
    if (n < bytes.size())
        out += QStringLiteral(" ...");
    return out;
}

QString sandbox() {
    static const QString folder = [] {
        // Kept for the life of the process; QTemporaryDir removes it at exit. A folder in memory where there
        // is one: saving a property file syncs it to disk, which would otherwise set the pace.
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
        static QTemporaryDir dir(base + QStringLiteral("/qx-fuzz-XXXXXX"));
        if (!dir.isValid()) {
            std::fprintf(stderr, "fuzz: cannot create a temporary folder\n");
            std::abort();
        }
        const QString root = dir.path();
        QDir().mkpath(root + QStringLiteral("/userdata"));
        QDir().mkpath(root + QStringLiteral("/common"));
        qputenv("QXTE_USER_SETTINGS", (root + QStringLiteral("/user.ini")).toUtf8());
        qputenv("QXTE_MACHINE_SETTINGS", (root + QStringLiteral("/machine.ini")).toUtf8());
        qputenv("QXTE_USER_DATA_DIR", (root + QStringLiteral("/userdata")).toUtf8());
        qputenv("QXTE_COMMON_DIR", (root + QStringLiteral("/common")).toUtf8());
        // Damaged files are logged by design; millions of such lines would only bury the finding.
        QLoggingCategory::setFilterRules(QStringLiteral("qxTagEditor2.warning=false"));
        return root;
    }();
    return folder;
}

void ControlBytes::reserve(std::size_t count) {
    if (mReserved)
        return;
    mReserved = true;
    const std::size_t taken = count < mSize ? count : mSize;
    mControlStart = mSize - taken;
    mNext = mControlStart;
}

std::uint8_t ControlBytes::byte() {
    return mNext < mSize ? mData[mNext++] : 0;
}

TextEdit editText(ControlBytes& control, QString& text, const QStringList& pieces) {
    const int position = int(control.byte()) * int(text.size()) / 255;
    const int removed = std::min(int(control.byte() % 16), int(text.size()) - position);
    const QString& inserted = pieces[control.byte() % pieces.size()];
    text.replace(position, removed, inserted);
    return {position, removed, int(inserted.size())};
}

std::uint16_t ControlBytes::word() {
    const std::uint16_t low = byte();
    return std::uint16_t(low | (byte() << 8));
}

QByteArray ControlBytes::front() const {
    const std::size_t end = mReserved ? mControlStart : mSize;
    return QByteArray(reinterpret_cast<const char*>(mData), qsizetype(end));
}

} // namespace qx::fuzz

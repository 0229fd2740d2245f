// The text forms of a property collection.
//  - Whatever Build makes of a text, ToText writes it so that Build(text, 0, 0, ":") gives back the same
//    names and values, in order.
//  - Names and values of any characters (separators, escape characters, the escape marker, line breaks)
//    survive ToText and Build.
//  - SplitText cuts a text into pieces whose values, joined with the separator, give the text back.
// The last byte picks the separator; the rest is UTF-8 text (invalid bytes read as U+FFFD).
#include "FuzzSupport.h"

#include "hostlib/Properties.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

using qx::fuzz::shown;

QString describe(const qx::Properties& items) {
    QStringList parts;
    for (const qx::Property& item : items)
        parts << shown(item.Name()) + QLatin1Char('=') + shown(item.Value().toString());
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

bool sameItems(const qx::Properties& a, const qx::Properties& b) {
    if (a.Count() != b.Count())
        return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (i->Name() != j->Name() || i->Value().toString() != j->Value().toString())
            return false;
    }
    return true;
}

void checkRoundTrip(const qx::Properties& items, const char* what) {
    const QString text = items.ToText();
    qx::Properties back;
    back.Build(text, 0, 0, QStringLiteral(":"));
    QX_FUZZ_CHECK(sameItems(items, back),
                  QStringLiteral("%1: %2 was written as %3 and read back as %4")
                      .arg(QLatin1String(what), describe(items), shown(text), describe(back)));
}

QString separatorFor(std::uint8_t choice, const QString& text) {
    static const QString kSeparators[] = {QStringLiteral(":"),  QStringLiteral(","),  QStringLiteral("\r\n"),
                                          QStringLiteral("::"), QStringLiteral("\\"), QStringLiteral("=")};
    constexpr int kCount = int(std::size(kSeparators));
    if (choice % 8 < kCount)
        return kSeparators[choice % 8];
    // Otherwise a character of the text itself, so that it surely occurs.
    return text.isEmpty() ? QStringLiteral(";") : QString(text[(choice / 8) % text.size()]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qx::fuzz::ControlBytes control(data, size);
    control.reserve(1);
    const std::uint8_t choice = control.byte();
    const QString text = QString::fromUtf8(control.front());
    const QString separator = separatorFor(choice, text);

    // Plain lists and escaped texts, as Build reads them.
    qx::Properties built;
    built.Build(text, 0, 0, separator);
    checkRoundTrip(built, "Build");

    // Names and values of any characters: the text cut at U+0001 into items, each cut at U+0002 into name
    // and value.
    qx::Properties items;
    for (const QString& piece : text.split(QChar(1))) {
        const qsizetype divider = piece.indexOf(QChar(2));
        items.Add(divider < 0 ? piece : piece.left(divider),
                  divider < 0 ? QString() : piece.mid(divider + 1));
    }
    checkRoundTrip(items, "Add");

    qx::Properties split;
    split.SplitText(text, separator);
    QStringList values;
    for (const qx::Property& item : split)
        values << item.Value().toString();
    QX_FUZZ_CHECK(
        values.join(separator) == text,
        QStringLiteral("SplitText of %1 at %2 gave %3").arg(shown(text), shown(separator), describe(split)));
    return 0;
}

// The text forms of a Properties collection: Build, ToText and SplitText.
#include "hostlib/LibraryError.h"
#include "hostlib/Properties.h"

namespace qx {

namespace {

const QLatin1Char Backslash('\\');
const QLatin1Char Divider('=');
const QString ListSeparator = QStringLiteral(":");

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case ':':
            out += QLatin1String("\\c");
            break;
        case '=':
            out += QLatin1String("\\e");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        default:
            out += ch;
        }
    }
    return out;
}

// Unknown escapes and a trailing backslash are kept as written.
QString unescaped(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != Backslash || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i].unicode()) {
        case '\\':
            out += Backslash;
            break;
        case 'c':
            out += QLatin1Char(':');
            break;
        case 'e':
            out += Divider;
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        default:
            out += Backslash;
            out += text[i];
        }
    }
    return out;
}

// Position of the "=" between name and value in an escaped piece; -1 when it has no value.
qsizetype dividerOf(QStringView piece) {
    for (qsizetype i = 0; i < piece.size(); ++i) {
        if (piece[i] == Backslash) {
            ++i;
        } else if (piece[i] == Divider) {
            return i;
        }
    }
    return -1;
}

void requireSeparator(const QString& separator) {
    if (separator.isEmpty()) {
        throw LibraryError("The separator of a property list must not be empty");
    }
}

bool isWordChar(QChar ch) {
    return ch.isLetterOrNumber() || ch == QLatin1Char('_') || ch == QLatin1Char('-') ||
           ch == QLatin1Char('.');
}

QString firstWord(const QString& piece) {
    qsizetype start = 0;
    while (start < piece.size() && !isWordChar(piece[start])) {
        ++start;
    }
    qsizetype end = start;
    while (end < piece.size() && isWordChar(piece[end])) {
        ++end;
    }
    return piece.mid(start, end - start);
}

} // namespace

void Properties::Build(const QString& text, int, int, const QString& separator) {
    requireSeparator(separator);
    if (text.isEmpty()) {
        return;
    }
    const QString marker = QLatin1String(EscapeMarker);
    if (!text.startsWith(marker)) {
        for (const QString& piece : text.split(separator)) {
            Add(piece, QString());
        }
        return;
    }
    const QStringView body = QStringView(text).mid(marker.size());
    for (QStringView piece : body.split(separator)) {
        const qsizetype divider = dividerOf(piece);
        if (divider < 0) {
            Add(unescaped(piece), QString());
        } else {
            Add(unescaped(piece.left(divider)), unescaped(piece.mid(divider + 1)));
        }
    }
}

QString Properties::ToText() const {
    if (mItems.empty()) {
        return QString();
    }
    bool plain = !(Count() == 1 && mItems.front()->Name().isEmpty()) &&
                 !mItems.front()->Name().startsWith(QLatin1String(EscapeMarker));
    for (const auto& item : mItems) {
        plain = plain && !item->Name().contains(ListSeparator) && item->Value().toString().isEmpty();
    }
    QStringList pieces;
    pieces.reserve(Count());
    for (const auto& item : mItems) {
        if (plain) {
            pieces << item->Name();
            continue;
        }
        const QString value = item->Value().toString();
        pieces << (value.isEmpty() ? escaped(item->Name())
                                   : escaped(item->Name()) + Divider + escaped(value));
    }
    const QString joined = pieces.join(ListSeparator);
    return plain ? joined : QLatin1String(EscapeMarker) + joined;
}

void Properties::SplitText(const QString& text, const QString& separator) {
    requireSeparator(separator);
    if (text.isEmpty()) {
        return;
    }
    for (const QString& piece : text.split(separator)) {
        Add(firstWord(piece), piece);
    }
}

} // namespace qx

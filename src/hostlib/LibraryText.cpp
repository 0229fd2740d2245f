// The library's search and numeric conversion routines (one-based positions).
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"

#include <cmath>

namespace qx {

namespace {

// A start of 0 means the beginning; a negative start is the caller's mistake.
qsizetype startIndex(int start) {
    if (start < 0) {
        throw LibraryError(QStringLiteral("Invalid start position %1").arg(start));
    }
    return start == 0 ? 0 : start - 1;
}

bool isBlank(QChar ch) {
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\r') ||
           ch == QLatin1Char('\n');
}

int digitValue(QChar ch) {
    const char16_t c = ch.unicode();
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads "&H" (hex) or "&O" (octal) digits after the prefix, as the classic Val does.
double radixNumber(QStringView text, int radix) {
    double number = 0;
    for (QChar ch : text) {
        const int digit = digitValue(ch);
        if (digit < 0 || digit >= radix) {
            break;
        }
        number = number * radix + digit;
    }
    return number;
}

// The longest leading decimal number: sign, digits, one point, an exponent with its own sign.
double decimalNumber(const QString& text) {
    qsizetype end = 0;
    auto digits = [&] {
        const qsizetype from = end;
        while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128) {
            ++end;
        }
        return end > from;
    };
    auto sign = [&] {
        if (end < text.size() && (text[end] == QLatin1Char('+') || text[end] == QLatin1Char('-'))) {
            ++end;
        }
    };
    sign();
    bool any = digits();
    if (end < text.size() && text[end] == QLatin1Char('.')) {
        ++end;
        any = digits() || any;
    }
    if (!any) {
        return 0;
    }
    const qsizetype mantissaEnd = end;
    if (end < text.size() && QStringLiteral("eEdD").contains(text[end])) {
        ++end;
        sign();
        if (!digits()) {
            end = mantissaEnd;
        }
    }
    QString number = text.left(end);
    number.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    const double value = number.toDouble();
    return std::isfinite(value) ? value : 0;
}

} // namespace

int Library::InStrMultiple(const QString& text, const QString& chars, int start) const {
    for (qsizetype i = startIndex(start); i < text.size(); ++i) {
        if (chars.contains(text[i])) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

int Library::InStrMultipleFrom(int start, const QString& text, const QString& chars) const {
    return InStrMultiple(text, chars, start);
}

int Library::InStrCount(int start, const QString& text, const QString& search, int compare) const {
    if (search.isEmpty()) {
        return 0;
    }
    const Qt::CaseSensitivity cs = compare == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int count = 0;
    for (qsizetype at = text.indexOf(search, startIndex(start), cs); at >= 0;
         at = text.indexOf(search, at + search.size(), cs)) {
        ++count;
    }
    return count;
}

double Library::Val(const QVariant& value) const {
    // Blanks are ignored anywhere in the number, as the classic Val does ("1 2" is 12).
    QString text;
    for (QChar ch : value.toString()) {
        if (!isBlank(ch)) {
            text += ch;
        }
    }
    if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        return radixNumber(QStringView(text).mid(2), 16);
    }
    if (text.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        return radixNumber(QStringView(text).mid(2), 8);
    }
    return decimalNumber(text);
}

} // namespace qx

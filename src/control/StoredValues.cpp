#include "control/StoredValues.h"

#include "hostlib/Logging.h"

namespace qx::StoredValues {

namespace {
constexpr qlonglong kLastColour = 0x00FFFFFF;

// The whole number a value holds, or nothing: text must be a plain integer, and a double must have no
// fraction.
std::optional<qlonglong> wholeNumber(const QVariant& stored) {
    if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::Float) {
        const double value = stored.toDouble();
        // The range test comes first: converting a double beyond 64 bits is undefined.
        if (!(value > -1e18 && value < 1e18) || value != static_cast<double>(static_cast<qlonglong>(value)))
            return std::nullopt;
        return static_cast<qlonglong>(value);
    }
    bool ok = false;
    const qlonglong number = stored.typeId() == QMetaType::QString
                                 ? stored.toString().trimmed().toLongLong(&ok)
                                 : stored.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}
} // namespace

int codeType(const QVariant& stored, int fallback, const QString& name) {
    const auto number = wholeNumber(stored);
    if (number && *number >= 0 && *number <= 2)
        return static_cast<int>(*number);
    qCWarning(lcEditor) << "The stored" << name << "is not a code type, using" << fallback << ":" << stored;
    return fallback;
}

Colour colour(const QVariant& stored, Colour fallback, const QString& name) {
    const auto number = wholeNumber(stored);
    if (number && *number >= 0 && *number <= kLastColour)
        return static_cast<Colour>(*number);
    qCWarning(lcEditor) << "The stored" << name << "is not a colour, keeping" << Qt::hex << fallback << ":"
                        << stored;
    return fallback;
}

} // namespace qx::StoredValues

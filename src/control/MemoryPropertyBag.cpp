#include <qxTagEditor2/PropertyBag.h>

namespace qx {

QVariant MemoryPropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) {
    mReads.append({name, QVariant(), defaultValue});
    for (const Entry& e : std::as_const(mValues)) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return e.value;
    }
    return defaultValue;
}

void MemoryPropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                      const QVariant& defaultValue) {
    mWrites.append({name, value, defaultValue});
    set(name, value);
}

void MemoryPropertyBag::set(const QString& name, const QVariant& value) {
    for (Entry& e : mValues) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    }
    mValues.append({name, value, QVariant()});
}

QList<MemoryPropertyBag::Entry> MemoryPropertyBag::stored() const {
    QList<Entry> result;
    for (const Entry& w : mWrites) {
        if (!w.defaultValue.isValid() || w.value != w.defaultValue)
            result.append(w);
    }
    return result;
}

} // namespace qx

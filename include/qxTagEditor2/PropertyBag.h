#pragma once

#include <qxTagEditor2/Export.h>

#include <QList>
#include <QString>
#include <QVariant>

namespace qx {

// The host's store of persisted design-time properties: named values with defaults. Reading a missing
// name yields the default; a value equal to its default need not be stored.
class QXTAGEDITOR2_EXPORT PropertyBag {
public:
    virtual ~PropertyBag() = default;
    virtual QVariant ReadProperty(const QString& name, const QVariant& defaultValue) = 0;
    virtual void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) = 0;
};

// An in-memory bag that keeps every write in order, for hosts without a store of their own and for tests.
class QXTAGEDITOR2_EXPORT MemoryPropertyBag final : public PropertyBag {
public:
    struct Entry {
        QString name;
        QVariant value;
        QVariant defaultValue;
    };

    QVariant ReadProperty(const QString& name, const QVariant& defaultValue) override;
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) override;

    // Stores a value as a container would after loading a form.
    void set(const QString& name, const QVariant& value);
    // Every read, in order, with the default it was given.
    const QList<Entry>& reads() const { return mReads; }
    // Every write, in order.
    const QList<Entry>& writes() const { return mWrites; }
    // Values a container would keep: writes whose value differs from the default.
    QList<Entry> stored() const;

private:
    QList<Entry> mValues;
    QList<Entry> mReads;
    QList<Entry> mWrites;
};

} // namespace qx

#include "hostlib/Properties.h"

#include "hostlib/LibraryError.h"

namespace qx {

Property::Property(const QString& name, const QVariant& value)
    : mName(name)
    , mValue(value)
    , mSubProperties(std::make_unique<Properties>()) {}

Property::~Property() = default;

Properties::Properties() = default;
Properties::~Properties() = default;
Properties::Properties(Properties&&) noexcept = default;
Properties& Properties::operator=(Properties&&) noexcept = default;

Property* Properties::Add(const QString& name, const QVariant& value, bool replace) {
    if (replace) {
        if (Property* existing = Item(name)) {
            existing->setValue(value);
            return existing;
        }
    }
    mItems.push_back(std::make_unique<Property>(name, value));
    return mItems.back().get();
}

Property* Properties::Item(const QString& name) const {
    for (const auto& item : mItems) {
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0) {
            return item.get();
        }
    }
    return nullptr;
}

Property* Properties::Item(int position) const {
    if (position < 1 || position > Count()) {
        throw LibraryError(
            QStringLiteral("Property position %1 is out of range (1 to %2)").arg(position).arg(Count()));
    }
    return mItems[static_cast<size_t>(position - 1)].get();
}

void Properties::Remove(int position) {
    Item(position); // range check
    mItems.erase(mItems.begin() + (position - 1));
}

void Properties::Clear() {
    mItems.clear();
}

} // namespace qx

#pragma once

#include <QJsonObject>
#include <QString>
#include <QVariant>
#include <iterator>
#include <memory>
#include <vector>

namespace qx {

class Properties;

// One named value of a Properties collection, with a child collection of its own.
class Property {
public:
    Property(const QString& name, const QVariant& value);
    ~Property();
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;

    const QString& Name() const { return mName; }
    const QVariant& Value() const { return mValue; }
    void setValue(const QVariant& value) { mValue = value; }

    // Owned by the item, empty at first.
    Properties& SubProperties() { return *mSubProperties; }
    const Properties& SubProperties() const { return *mSubProperties; }

    // The keys of the item's object in a property file other than "name", "value" and "items", kept so
    // that saving the file again writes them back: a later version may have added them.
    const QJsonObject& OtherKeys() const { return mOtherKeys; }
    void setOtherKeys(const QJsonObject& keys) { mOtherKeys = keys; }

private:
    QString mName;
    QVariant mValue;
    std::unique_ptr<Properties> mSubProperties;
    QJsonObject mOtherKeys;
};

// Ordered collection of named values. Positions are one-based; names are compared without regard
// to letter case. Items live at stable addresses until removed, so callers may keep Property*.
class Properties {
    using Storage = std::vector<std::unique_ptr<Property>>;

public:
    // Visits the items in order, yielding Property&.
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Property;
        using difference_type = std::ptrdiff_t;
        using pointer = Property*;
        using reference = Property&;

        iterator() = default;
        explicit iterator(Storage::const_iterator it)
            : mIt(it) {}
        reference operator*() const { return **mIt; }
        pointer operator->() const { return mIt->get(); }
        iterator& operator++() {
            ++mIt;
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            ++mIt;
            return old;
        }
        bool operator==(const iterator& other) const { return mIt == other.mIt; }

    private:
        Storage::const_iterator mIt{};
    };

    Properties();
    ~Properties();
    Properties(Properties&&) noexcept;
    Properties& operator=(Properties&&) noexcept;
    Properties(const Properties&) = delete;
    Properties& operator=(const Properties&) = delete;

    // Appends an item and returns it. With replace set, an existing item of the same name (any
    // letter case) takes the new value in place and is returned instead.
    Property* Add(const QString& name, const QVariant& value, bool replace = false);
    // The first item of that name, or nullptr: a missing name is not an error.
    Property* Item(const QString& name) const;
    // One-based; a position out of range throws LibraryError.
    Property* Item(int position) const;
    int Count() const { return static_cast<int>(mItems.size()); }
    // One-based; a position out of range throws LibraryError.
    void Remove(int position);
    void Clear();

    // Adds one item per piece of text between separators, the piece as its name and an empty text
    // as its value. An empty text adds nothing. A text that starts with the escape marker (see
    // ToText) is un-escaped instead, giving back names and values. The two numbers are unused
    // (callers pass 0). An empty separator throws LibraryError.
    void Build(const QString& text, int reserved1, int reserved2, const QString& separator);
    // One text from which Build(text, 0, 0, ":") gives back the same names and values (not the
    // sub-properties). Lists of plain names come out as "a:b:c"; anything else in the escaped form
    // "\*" followed by pieces "name=value" joined with ":", where backslash, ":", "=", CR and LF
    // inside names and values are written "\\", "\c", "\e", "\r" and "\n".
    QString ToText() const;
    static constexpr const char* EscapeMarker = "\\*";

    // Cuts a text such as a selected tag into named pieces: one item per piece between
    // separators, named by the first word of the piece (letters, digits, "_", "-", "." after any
    // leading other characters such as "<"), with the whole piece as its value. Joining the values
    // with the separator gives the text back. "<QX:DB-QUERY>x</QX>" gives "QX" and "DB-QUERY".
    void SplitText(const QString& text, const QString& separator);

    // Replaces the items with those stored in the file (format in docs/hostlib-files.md). A
    // missing, unreadable, corrupt or newer-version file, or one whose items nest more than 100
    // levels deep, throws LibraryError naming the file, and leaves the collection as it was. A
    // large file announces its reading to the installed LoadFeedback. The key must be empty (no
    // encrypted files). Backslashes in the path are taken as folder separators.
    void LoadFromFile(const QString& path, const QString& key = QString());
    // Writes the whole collection atomically (a failed save keeps the old file whole), creating a
    // missing folder. Failure throws LibraryError, as does a collection nested more than 100 levels
    // deep (nothing is written).
    void SaveFile(const QString& path, const QString& key = QString()) const;
    // The top-level keys of the file last loaded other than "format", "version" and "items"; SaveFile
    // writes them back, as it does each item's other keys.
    const QJsonObject& OtherFileKeys() const { return mOtherFileKeys; }

    iterator begin() const { return iterator(mItems.cbegin()); }
    iterator end() const { return iterator(mItems.cend()); }

private:
    Storage mItems;
    QJsonObject mOtherFileKeys;
};

} // namespace qx

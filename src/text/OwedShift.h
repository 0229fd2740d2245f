#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace qx {

// Positions kept in an ascending list where the entries from `shiftFrom` on still owe `shift`, so that edits
// in one place move no entries. Settles the owed shift up to (or back to) entry `index`, which becomes the
// first that owes it; startOf(entry) gives the stored position to adjust.
template <class List, class StartOf>
void moveOwedShift(List& entries, std::size_t& shiftFrom, int shift, std::size_t index, StartOf startOf) {
    if (shift != 0) {
        for (std::size_t i = index; i < shiftFrom; ++i)
            startOf(entries[i]) -= shift;
        for (std::size_t i = shiftFrom; i < index; ++i)
            startOf(entries[i]) += shift;
    }
    shiftFrom = index;
}

// Entries sorted by their `start`, kept so that an edit costs what it replaces, not what follows it: the
// entries after the last edit owe its shift.
template <class T> class ShiftedList {
public:
    ShiftedList() = default;
    explicit ShiftedList(std::vector<T> items)
        : mItems(std::move(items)) {}

    std::size_t size() const { return mItems.size(); }
    int startOf(std::size_t i) const { return mItems[i].start + (i >= mShiftFrom ? mShift : 0); }
    // The entry with its owed shift settled.
    T at(std::size_t i) const {
        T item = mItems[i];
        item.start = startOf(i);
        return item;
    }
    // The entry as stored: its start may still owe the shift. Fields other than the start may be changed.
    T& raw(std::size_t i) { return mItems[i]; }
    const T& raw(std::size_t i) const { return mItems[i]; }
    std::vector<T>& raw() { return mItems; }

    // The first entry that starts at or after `at`.
    std::size_t lowerBound(int at) const {
        std::size_t low = 0, high = mItems.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            if (startOf(middle) < at)
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }

    // Entries [first, last) become `fresh` (settled starts), and the entries after them move by delta.
    void replace(std::size_t first, std::size_t last, std::vector<T>&& fresh, int delta) {
        moveOwedShift(mItems, mShiftFrom, mShift, last, [](T& item) -> int& { return item.start; });
        const std::size_t kept = std::min(last - first, fresh.size());
        std::move(fresh.begin(), fresh.begin() + kept, mItems.begin() + first);
        if (kept < last - first)
            mItems.erase(mItems.begin() + (first + kept), mItems.begin() + last);
        else
            mItems.insert(mItems.begin() + last, std::make_move_iterator(fresh.begin() + kept),
                          std::make_move_iterator(fresh.end()));
        mShiftFrom = first + fresh.size();
        mShift += delta;
    }

    // Every entry, with its start settled.
    std::vector<T> settled() const {
        std::vector<T> items = mItems;
        for (std::size_t i = mShiftFrom; i < items.size(); ++i)
            items[i].start += mShift;
        return items;
    }

private:
    std::vector<T> mItems;
    std::size_t mShiftFrom = 0;
    int mShift = 0;
};

} // namespace qx

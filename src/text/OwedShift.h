#pragma once

#include <cstddef>

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

} // namespace qx

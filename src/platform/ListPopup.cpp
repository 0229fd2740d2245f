#include "platform/ListPopup.h"

#include "hostlib/Properties.h"

#include <algorithm>

namespace qx {

void ListPopup::ListSetByName(const Properties& set) {
    fillFrom(set, false);
}

void ListPopup::ListSetByValue(const Properties& set) {
    fillFrom(set, true);
}

void ListPopup::fillFrom(const Properties& set, bool byValue) {
    QStringList entries;
    entries.reserve(set.Count());
    for (const Property& item : set) {
        const QString text = byValue ? item.Value().toString() : item.Name();
        entries.append(mCaseAsSupplied ? text : text.toUpper());
    }
    fill(entries, mForeColor);
    mCaseAsSupplied = false;
}

void ListPopup::Keys(const QString& keys) {
    const int count = ListCount();
    if (count == 0)
        return;
    setListIndex(-1);
    const QString wanted = keys.toUpper();
    for (int i = 0; i < count; ++i) {
        if (Entry(i).left(wanted.size()).toUpper() == wanted) {
            setListIndex(i);
            return;
        }
    }
}

QString ListPopup::Text() const {
    const int index = ListIndex();
    return index >= 0 && index < ListCount() ? Entry(index) : QString();
}

bool ListPopup::MoveSelection(ListMove move) {
    const int count = ListCount();
    if (count == 0)
        return false;
    const int last = count - 1;
    const int index = ListIndex();
    const int rows = std::max(VisibleRows(), 1);
    int next = index;
    switch (move) {
    case ListMove::Home:
        next = 0;
        break;
    case ListMove::End:
        next = last;
        break;
    case ListMove::PageDown:
        next = index < 0 ? 0 : std::min(index + rows, last);
        break;
    case ListMove::PageUp:
        next = index < 0 ? last : std::max(index - rows, 0);
        break;
    case ListMove::Up:
        next = index < 0 ? 0 : std::max(index - 1, 0);
        break;
    case ListMove::Down:
        next = index < 0 ? 0 : std::min(index + 1, last);
        break;
    }
    if (next == index)
        return false;
    setListIndex(next);
    return true;
}

bool ListPopup::runDoubleClickHandler() const {
    if (!mOnDoubleClick)
        return false;
    mOnDoubleClick();
    return true;
}

} // namespace qx

#include "timing/FoldedNameTable.h"

#include <algorithm>

void FoldedNameTable::insert(size_t hash, int row)
{
    // At most three quarters full: probes stay short, and the table costs 11 to 21 bytes a name.
    if (4 * (m_count + 1) > 3 * m_slots.size())
        grow(std::max<size_t>(16, 2 * m_slots.size()));
    place({fold(hash), row});
    ++m_count;
}

void FoldedNameTable::removeRow(int row)
{
    // Rebuilt without it: erasing from a list moves the later rows anyway, so this is no dearer.
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(old.size(), Slot());
    m_count = 0;
    for (Slot slot : old) {
        if (slot.row < 0 || slot.row == row)
            continue;
        if (slot.row > row)
            --slot.row;
        place(slot);
        ++m_count;
    }
}

void FoldedNameTable::rehash(int row, size_t hash)
{
    // Rebuilt as for a removal: a renamed item is rare, and an open-addressed slot cannot simply go.
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(old.size(), Slot());
    for (const Slot &slot : old)
        if (slot.row >= 0 && slot.row != row)
            place(slot);
    place({fold(hash), row});
}

void FoldedNameTable::place(Slot slot)
{
    size_t i = slot.hash & mask();
    while (m_slots[i].row >= 0)
        i = (i + 1) & mask();
    m_slots[i] = slot;
}

void FoldedNameTable::grow(size_t slots)
{
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(slots, Slot());
    for (const Slot &slot : old)
        if (slot.row >= 0)
            place(slot);
}

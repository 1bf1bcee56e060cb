#pragma once
// The rows of a list by their names' case-folded hashes, for finding a name among thousands without
// keeping a second, folded copy of every name: the table holds 8 bytes a slot.

#include <QtGlobal>

#include <vector>

class FoldedNameTable {
public:
    // Adds row under the hash of its folded name.
    void insert(size_t hash, int row);
    // Takes row out; every later row moves one up, as in a list the row is erased from.
    void removeRow(int row);
    // Row goes on under another name's hash; no other row moves.
    void rehash(int row, size_t hash);
    // The first row under this hash for which same(row) holds, or -1.
    template <typename Same> int find(size_t hash, Same same) const
    {
        if (m_slots.empty())
            return -1;
        const quint32 h = fold(hash);
        for (size_t i = h & mask();; i = (i + 1) & mask()) {
            const Slot &slot = m_slots[i];
            if (slot.row < 0)
                return -1;
            if (slot.hash == h && same(slot.row))
                return slot.row;
        }
    }

private:
    struct Slot {
        quint32 hash = 0;
        qint32 row = -1; // -1: empty
    };
    static quint32 fold(size_t hash) { return quint32(hash ^ (quint64(hash) >> 32)); }
    size_t mask() const { return m_slots.size() - 1; }
    void place(Slot slot);
    void grow(size_t slots);

    std::vector<Slot> m_slots;
    size_t m_count = 0;
};

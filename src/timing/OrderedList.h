#pragma once
// A 1-based list of values with optional unique keys, the shape every shared list of the program has.

#include <QSet>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

// Keys are compared after Unicode case folding, so "PC1" and "pc1" are the same key. Positions are
// 1-based; reads and removals outside 1..Count() are refused rather than undefined, because the
// callers treat a failed statement as "nothing happens".
template <typename T>
class OrderedList {
public:
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsValid(int pos) const { return pos >= 1 && pos <= Count(); }

    // Appends at the end. With a key that is already present nothing changes and false is returned.
    bool Add(T value, const QString &key = QString())
    {
        if (!key.isNull()) {
            const QString folded = key.toCaseFolded();
            if (m_keys.contains(folded))
                return false;
            m_keys.insert(folded);
        }
        m_entries.push_back({std::move(value), key});
        return true;
    }

    // Inserts after position pos (0 inserts at the front), without a key.
    bool InsertAfter(int pos, T value)
    {
        if (pos < 0 || pos > Count())
            return false;
        m_entries.insert(m_entries.begin() + pos, Entry{std::move(value), QString()});
        return true;
    }

    // Replacing is insert-after-then-remove, as every caller of the shared lists does it; the key,
    // if any, goes with the removed entry.
    bool Replace(int pos, T value)
    {
        if (!IsValid(pos))
            return false;
        InsertAfter(pos, std::move(value));
        return Remove(pos);
    }

    const T &Item(int pos) const { return m_entries.at(static_cast<size_t>(pos - 1)).value; }
    T &Item(int pos) { return m_entries.at(static_cast<size_t>(pos - 1)).value; }
    T Value(int pos, T fallback = T()) const { return IsValid(pos) ? Item(pos) : fallback; }
    const T &Last() const { return m_entries.back().value; }

    bool Remove(int pos)
    {
        if (!IsValid(pos))
            return false;
        auto it = m_entries.begin() + (pos - 1);
        if (!it->key.isNull())
            m_keys.remove(it->key.toCaseFolded());
        m_entries.erase(it);
        return true;
    }

    bool RemoveKey(const QString &key)
    {
        const int pos = IndexOfKey(key);
        return pos != 0 && Remove(pos);
    }

    bool ContainsKey(const QString &key) const { return m_keys.contains(key.toCaseFolded()); }

    // 1-based position of the entry with this key, 0 when there is none.
    int IndexOfKey(const QString &key) const
    {
        if (!ContainsKey(key))
            return 0;
        const QString folded = key.toCaseFolded();
        const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) {
            return !e.key.isNull() && e.key.toCaseFolded() == folded;
        });
        return it == m_entries.end() ? 0 : static_cast<int>(it - m_entries.begin()) + 1;
    }

    void Clear()
    {
        m_entries.clear();
        m_keys.clear();
    }

private:
    struct Entry {
        T value;
        QString key;
    };
    std::vector<Entry> m_entries;
    QSet<QString> m_keys; // folded keys
};

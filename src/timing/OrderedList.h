#pragma once
// A 1-based list of values with optional unique keys, the shape every shared list of the program has.

#include <QSet>
#include <QString>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// Keys are compared after Unicode case folding, so "PC1" and "pc1" are the same key. Positions are
// 1-based; reads and removals outside 1..count() are refused rather than undefined, because the
// callers treat a failed statement as "nothing happens". A list made without keys (Keyed false)
// takes none and costs no pointer for them: every item carries three such lists of its sessions.
template <typename T, bool Keyed = true> class OrderedList {
public:
    OrderedList() = default;
    OrderedList(const OrderedList &other) : m_entries(other.m_entries), m_keys(copyOf(other.m_keys)) { }
    OrderedList &operator=(const OrderedList &other)
    {
        if (this != &other) {
            m_entries = other.m_entries;
            m_keys = copyOf(other.m_keys);
        }
        return *this;
    }
    OrderedList(OrderedList &&) noexcept = default;
    OrderedList &operator=(OrderedList &&) noexcept = default;
    ~OrderedList() = default;

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isValid(int pos) const { return pos >= 1 && pos <= count(); }

    // Appends at the end. With a key that is already present nothing changes and false is returned.
    bool add(T value, const QString &key = QString())
    {
        if constexpr (Keyed) {
            if (!key.isNull()) {
                const QString folded = key.toCaseFolded();
                if (m_keys && m_keys->folded.contains(folded))
                    return false;
                keys().folded.insert(folded);
            }
            if (m_keys)
                m_keys->byEntry.push_back(key);
        } else {
            Q_ASSERT(key.isNull());
        }
        m_entries.push_back({std::move(value)});
        return true;
    }

    // Inserts after position pos (0 inserts at the front), without a key.
    bool insertAfter(int pos, T value)
    {
        if (pos < 0 || pos > count())
            return false;
        m_entries.insert(m_entries.begin() + pos, Entry {std::move(value)});
        if constexpr (Keyed) {
            if (m_keys)
                m_keys->byEntry.insert(m_keys->byEntry.begin() + pos, QString());
        }
        return true;
    }

    // Replacing is insert-after-then-remove, as every caller of the shared lists does it; the key,
    // if any, goes with the removed entry.
    bool replace(int pos, T value)
    {
        if (!isValid(pos))
            return false;
        insertAfter(pos, std::move(value));
        return remove(pos);
    }

    const T &item(int pos) const { return m_entries.at(static_cast<size_t>(pos - 1)).value; }
    T &item(int pos) { return m_entries.at(static_cast<size_t>(pos - 1)).value; }
    T value(int pos, T fallback = T()) const { return isValid(pos) ? item(pos) : fallback; }
    const T &last() const { return m_entries.back().value; }

    bool remove(int pos)
    {
        if (!isValid(pos))
            return false;
        const auto index = static_cast<size_t>(pos - 1);
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
        if constexpr (Keyed) {
            if (m_keys) {
                const QString &key = m_keys->byEntry[index];
                if (!key.isNull())
                    m_keys->folded.remove(key.toCaseFolded());
                m_keys->byEntry.erase(m_keys->byEntry.begin() + static_cast<std::ptrdiff_t>(index));
            }
        }
        return true;
    }

    bool removeKey(const QString &key)
        requires Keyed
    {
        const int pos = indexOfKey(key);
        return pos != 0 && remove(pos);
    }

    bool containsKey(const QString &key) const
        requires Keyed
    {
        return m_keys && m_keys->folded.contains(key.toCaseFolded());
    }

    // 1-based position of the entry with this key, 0 when there is none.
    int indexOfKey(const QString &key) const
        requires Keyed
    {
        if (!containsKey(key))
            return 0;
        const QString folded = key.toCaseFolded();
        const std::vector<QString> &byEntry = m_keys->byEntry;
        const auto it = std::find_if(byEntry.begin(), byEntry.end(),
                                     [&](const QString &k) { return !k.isNull() && k.toCaseFolded() == folded; });
        return it == byEntry.end() ? 0 : static_cast<int>(it - byEntry.begin()) + 1;
    }

    void clear()
    {
        m_entries.clear();
        if constexpr (Keyed)
            m_keys.reset();
    }

private:
    // A wrapper, so that a list of booleans is a list of values rather than of bits.
    struct Entry {
        T value;
    };
    // Most lists never have a key (a session's starts, ends and minutes are many): they pay for
    // keys only once one is added.
    struct Keys {
        std::vector<QString> byEntry; // the key of each entry, null for an entry without one
        QSet<QString> folded;
    };
    Keys &keys()
        requires Keyed
    {
        if (!m_keys) {
            m_keys = std::make_unique<Keys>();
            m_keys->byEntry.resize(m_entries.size());
        }
        return *m_keys;
    }
    struct NoKeys {
    };
    using KeyStore = std::conditional_t<Keyed, std::unique_ptr<Keys>, NoKeys>;
    static KeyStore copyOf(const KeyStore &keys)
    {
        if constexpr (Keyed)
            return keys ? std::make_unique<Keys>(*keys) : nullptr;
        else
            return {};
    }

    std::vector<Entry> m_entries;
    [[no_unique_address]] KeyStore m_keys;
};

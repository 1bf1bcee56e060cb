#pragma once
// One field of every item, read like a list: the per-item lists of the design, kept as views.

#include "timing/ItemRowModel.h"

#include <functional>
#include <type_traits>

// Entry pos is the field of item pos. Reading outside 1..count() is refused as on any list: item()
// throws, value() gives the fallback. There is nothing to write: items change as a whole, through
// ModClock and the timing operations.
template <auto Field> class ItemField {
public:
    using ValueType = std::remove_cvref_t<std::invoke_result_t<decltype(Field), const ::Item &>>;

    explicit ItemField(const ItemRowModel &rows) : m_rows(rows) { }

    int count() const { return m_rows.count(); }
    bool isValid(int pos) const { return m_rows.isValid(pos); }
    decltype(auto) item(int pos) const { return std::invoke(Field, m_rows.at(pos)); }
    ValueType value(int pos, ValueType fallback = ValueType()) const
    {
        return isValid(pos) ? ValueType(item(pos)) : fallback;
    }

protected:
    const ItemRowModel &m_rows;
};

// The names are also the items' keys: unique ignoring letter case.
class ItemNames : public ItemField<&Item::name> {
public:
    using ItemField::ItemField;
    bool containsKey(const QString &name) const { return m_rows.hasName(name); }
    int indexOfKey(const QString &name) const { return m_rows.positionOfName(name); }
};

#include "commands/CurrentItem.h"

#include "timing/ItemRowModel.h"

CurrentItem::CurrentItem(const ItemRowModel &rows, QObject *parent) : QObject(parent), m_rows(rows)
{ }

int CurrentItem::position() const
{
    return m_rows.positionOf(itmSelected);
}

void CurrentItem::set(int pos)
{
    const QPersistentModelIndex handle = m_rows.handle(pos);
    if (handle == itmSelected)
        return;
    itmSelected = handle;
    Q_EMIT changed();
}

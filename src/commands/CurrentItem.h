#pragma once
// The operator's current item: the row a click, a key, a search or an added item made current, which
// the item commands act on and the list keeps highlighted. It belongs to the window's use of the
// list, not to the items themselves.

#include <QObject>
#include <QPersistentModelIndex>

class ItemRowModel;

class CurrentItem : public QObject {
    Q_OBJECT
public:
    explicit CurrentItem(const ItemRowModel &rows, QObject *parent = nullptr);

    // The current item's position, 0 when there is none (or its row has gone).
    int position() const;
    // Row pos becomes current; 0 or a position outside the list leaves none.
    void set(int pos);

Q_SIGNALS:
    void changed();

private:
    const ItemRowModel &m_rows;
    QPersistentModelIndex itmSelected; // follows its row when earlier rows go, empties with its own
};

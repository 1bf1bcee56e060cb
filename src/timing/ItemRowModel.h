#pragma once
// The timing items, one per row of the main list, held as values and shown by every view of the list.

#include "timing/FoldedNameTable.h"
#include "timing/Item.h"

#include <QAbstractTableModel>
#include <QPersistentModelIndex>
#include <QSet>
#include <QString>

#include <vector>

class ModClock;

// Positions in the public functions are 1-based, as the item's position in the list is. The model
// keeps numbers and instants and formats them in data(); readers that want the numbers ask for
// MinutesRole and FeeRole, or read the item itself. It lives in QtCore: views map ImageRole and
// BoldRole to pictures and fonts.
//
// Items change only through ModClock's operations (adding, starting, ending, showing the minutes,
// leaving), so nothing can leave an item half changed.
class ItemRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColName = 0, ColLatestStart, ColUpTo, ColCount, ColMinutes, ColScheme, ColResult };
    static constexpr int ColumnCount = 7;
    // LimitRole: how near the item is to its limit, an ItemLimit::State as an int.
    enum Role { ImageRole = Qt::UserRole + 1, TagRole, BoldRole, MinutesRole, FeeRole, LimitRole };
    static constexpr int ImageTimed = 1;
    static constexpr int ImageStopped = 2;

    static QString columnHeader(int col);
    static int columnWidthTwips(int col);
    // What a row of item shows in column col.
    static QString cellText(const Item &item, int col);

    explicit ItemRowModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int count() const { return static_cast<int>(m_items.size()); }
    bool isValid(int pos) const { return pos >= 1 && pos <= count(); }

    // Item pos; outside 1..count() it throws, as reading a missing list entry does.
    const Item &at(int pos) const { return m_items.at(static_cast<size_t>(pos - 1)); }

    // The position of the item with this name, ignoring letter case; 0 when there is none.
    int positionOfName(const QString &name) const;
    bool hasName(const QString &name) const { return positionOfName(name) != 0; }

    // What row pos shows in column col; empty outside the list.
    QString text(int pos, int col) const;
    // "所选项:" + name + " 计算结果: " + result column + " 应收金额: " + its amount due, then its
    // limit and what is left of it, and its bands; empty outside the list.
    QString tooltip(int pos) const;
    int image(int pos) const;
    bool tag(int pos) const;
    bool bold(int pos) const;
    // The search marks the item it found; marking is no change to the item's timing or bill.
    void setBold(int pos, bool bold);

    // While a batch is open, changes are gathered and announced once when it closes: the minute
    // refresh rewrites thousands of rows and views need to hear about it only once.
    class Batch {
    public:
        explicit Batch(ItemRowModel &model) : m_model(model) { ++m_model.m_batchDepth; }
        ~Batch() { m_model.endBatch(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        ItemRowModel &m_model;
    };


    // A handle to row pos that follows the row when earlier rows are removed.
    QPersistentModelIndex handle(int pos) const;
    // The 1-based position of a handle's row, or 0 when the handle is empty or its row is gone.
    int positionOf(const QPersistentModelIndex &handle) const;

private:
    friend class ModClock;

    // Appends the item and returns its position; 0 (nothing changed) when its name is taken.
    int append(Item item);
    bool remove(int pos);
    // Gives item pos another name, taken by no item (its own included); false when it is.
    bool rename(int pos, const QString &name);
    // The item to change, nullptr outside the list; the changer announces the change afterwards.
    Item *edit(int pos);
    void rowChanged(int pos, int firstCol, int lastCol, const QList<int> &roles);
    void endBatch();

    int m_batchDepth = 0;
    int m_dirtyFirst = -1; // 0-based rows touched during the open batch
    int m_dirtyLast = -1;
    // and the columns: the minute refresh touches only the time, minutes and fee, and a view told
    // of the name column too would go over every row again (ten thousand of them each minute).
    int m_dirtyFirstCol = -1;
    int m_dirtyLastCol = -1;

    std::vector<Item> m_items;
    // Each row by its case-folded name, so that a name is taken whatever its letter case: a replay
    // looks up ten thousand items in turn.
    FoldedNameTable m_rows;
    // One copy of each formula the items share (thousands restored from the journal use a few).
    QSet<QString> m_schemes;
};

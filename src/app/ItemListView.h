#pragma once
// The main list: one model shown as large icons, small icons, a list or a report.

#include <QStackedWidget>

class CurrentItem;
class ItemRowModel;
class ItemViewProxy;
class QListView;
class QTreeView;

class ItemListView : public QStackedWidget {
    Q_OBJECT
public:
    ItemListView(ItemRowModel &rows, double twipsPerPixel, QWidget *parent = nullptr);

    // 0 large icons, 1 small icons, 2 list, 3 report; any other value keeps the report view the
    // list was designed with.
    void setView(int view);
    int shownView() const { return m_view; }

    // The current item's tooltip, shown where the pointer is over no row: a row under the pointer
    // shows its own (the model's), so hovering never moves the current item.
    void setListToolTip(const QString &tip);
    QString listToolTip() const;
    // Selects row pos (1-based) in every view and scrolls it into view.
    void reveal(int pos);
    // The highlighted row (1-based), 0 when none is.
    int highlightedRow() const;
    // From here on the highlighted row is the current item and the current item is highlighted:
    // whatever moves one (a key, a click, a search, an add, a removal) moves the other, so that a
    // command never acts on a row the operator does not see chosen.
    void keepInStepWith(CurrentItem &current);

    // The report view's column widths in pixels; a list of another length is left aside.
    QList<int> columnWidths() const;
    void setColumnWidths(const QList<int> &widths);

    QTreeView *reportView() const { return m_report; }
    QListView *iconView() const { return m_icons; }

Q_SIGNALS:
    // A row was clicked or reached with a navigation key (1-based position).
    void itemClicked(int pos);
    // The operator asked for the context menu at this global position; a right click on a row has
    // made that row current first, as a left click does, since the menu acts on the current item.
    void menuRequested(const QPoint &globalPos);

private:
    void connectView(class QAbstractItemView *view);
    void highlight(int pos);

    ItemViewProxy *m_proxy;
    QListView *m_icons = nullptr;
    QTreeView *m_report = nullptr;
    int m_view = 3;
};

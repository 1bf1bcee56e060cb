#pragma once
// A view of the item list in which a row reached with the keyboard counts as chosen, and typing a
// letter searches nothing: letters are the main window's commands. It also repaints a minute's
// refresh of thousands of rows at the cost of the cells shown, a few rows at a time.

#include "app/BandedRepaint.h"
#include "app/ChangedCells.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QModelIndex>
#include <QTreeView>

#include <functional>
#include <type_traits>

template <class View> class RowNavigatingView : public View {
public:
    using View::View;

    // Called after an arrow, Home, End or Page key reached a row, moved or not: focus changes and
    // model resets also set Qt's current index (without highlighting it), so with one row, or on
    // the row Qt chose, the key moves nothing and must still choose it. Those changes themselves
    // must not choose an item behind the operator's back.
    std::function<void(const QModelIndex &)> rowReached;
    // Called when the operator asks for the context menu at a global position: with the mouse, at
    // the row pointed at (invalid over empty space), or from the keyboard (the Menu key, Shift+F10),
    // with the highlighted row, beside it.
    std::function<void(const QModelIndex &, const QPoint &)> menuAsked;

    // Type-ahead would move the highlighted row away from the item the commands act on.
    void keyboardSearch(const QString &) override { }

protected:
    // At a new minute every running row's time, minutes and fee change at once. Qt's views would
    // work out where each of those thousands of cells is drawn to repaint just them; the rows in
    // sight are found from where they are drawn instead, whatever the count, and only their changed
    // columns repainted. Qt's way costs a walk through the rows per changed row out of sight even
    // for a few, so every change of more than one row takes this way. Only a change that leaves the
    // name column alone may: names decide the items' sizes in the icon views (the report view's
    // rows are all one height), and the icon views show nothing else, so such a change leaves them
    // as they are.
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override
    {
        if (bottomRight.row() == topLeft.row() || topLeft.column() == 0) {
            View::dataChanged(topLeft, bottomRight, roles);
            return;
        }
        if constexpr (std::is_base_of_v<QTreeView, View>) {
            int rowHeight = 0;
            if (const QRect area = changedCellsInSight(*this, topLeft, bottomRight, &rowHeight); !area.isEmpty())
                bands().add(area, rowHeight);
        } else if (this->modelColumn() >= topLeft.column() && this->modelColumn() <= bottomRight.column()) {
            this->viewport()->update();
        }
        if (QAccessible::isActive()) {
            QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
            event.setFirstRow(topLeft.row());
            event.setFirstColumn(topLeft.column());
            event.setLastRow(bottomRight.row());
            event.setLastColumn(bottomRight.column());
            QAccessible::updateAccessibility(&event);
        }
    }

    // Rows waiting for their band would be drawn where they were before the scroll.
    void scrollContentsBy(int dx, int dy) override
    {
        if (m_bands)
            m_bands->dropWaiting();
        View::scrollContentsBy(dx, dy);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        // Qt turns the Menu key into a context-menu event itself, but not Shift+F10.
        if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier && menuAsked) {
            menuAsked(highlighted(), keyboardMenuPos());
            return;
        }
        View::keyPressEvent(event);
        const QModelIndex reached = this->currentIndex();
        if (!isNavigationKey(event->key()) || !reached.isValid() || !rowReached)
            return;
        if (QItemSelectionModel *s = this->selectionModel(); s && !s->isRowSelected(reached.row(), reached.parent()))
            s->select(reached, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        rowReached(reached);
    }

    void contextMenuEvent(QContextMenuEvent *event) override
    {
        if (!menuAsked) {
            View::contextMenuEvent(event);
            return;
        }
        if (event->reason() == QContextMenuEvent::Mouse)
            menuAsked(this->indexAt(event->pos()), event->globalPos());
        else
            menuAsked(highlighted(), keyboardMenuPos());
    }

private:
    BandedRepaint &bands()
    {
        if (!m_bands)
            m_bands = new BandedRepaint(*this);
        return *m_bands;
    }

    BandedRepaint *m_bands = nullptr;

    // The menu opens beside the highlighted row, so it acts on that row.
    QModelIndex highlighted() const
    {
        const QItemSelectionModel *s = this->selectionModel();
        return s && s->hasSelection() ? s->selectedIndexes().first() : QModelIndex();
    }

    // Under the highlighted row where it shows, else at the list's corner.
    QPoint keyboardMenuPos() const
    {
        QRect row;
        if (const QModelIndex at = highlighted(); at.isValid())
            row = this->visualRect(at).intersected(this->viewport()->rect());
        return this->viewport()->mapToGlobal(row.isEmpty() ? QPoint(0, 0) : row.bottomLeft());
    }

    static bool isNavigationKey(int key)
    {
        switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: return true;
        default: return false;
        }
    }
};

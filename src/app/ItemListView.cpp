#include "app/ItemListView.h"

#include "app/ItemViewProxy.h"
#include "app/RowNavigatingView.h"
#include "commands/CurrentItem.h"
#include "draw/CellTextDelegate.h"
#include "draw/SimSunFont.h"
#include "timing/ItemRowModel.h"

#include <QHeaderView>
#include <QListView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>

namespace {

// A cell wide enough for four Chinese characters a line and high enough for the icon and two lines
// under it: a name of eight characters shows whole, wrapped once.
QSize largeIconCell(const QListView *view)
{
    const QString sample = QStringLiteral("一二三四五六七八");
    QStyle *style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int width = qMax(80, (view->fontMetrics().horizontalAdvance(sample) + 1) / 2 + 2 * margin + 4);
    QStyleOptionViewItem cell;
    cell.initFrom(view);
    cell.font = view->font();
    cell.features =
        QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::WrapText;
    cell.decorationPosition = QStyleOptionViewItem::Top;
    cell.decorationSize = view->iconSize();
    cell.displayAlignment = Qt::AlignCenter;
    cell.text = sample;
    cell.rect = QRect(0, 0, width, 1000);
    const QSize item = style->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), view);
    return {width, qMax(64, item.height() + 4)};
}

} // namespace

ItemListView::ItemListView(ItemRowModel &rows, double twipsPerPixel, QWidget *parent)
    : QStackedWidget(parent), m_proxy(new ItemViewProxy(this))
{
    auto *icons = new RowNavigatingView<QListView>(this);
    auto *report = new RowNavigatingView<QTreeView>(this);
    // Only a click, a navigation key or a search chooses the current item.
    icons->rowReached = report->rowReached = [this](const QModelIndex &i) { Q_EMIT itemClicked(i.row() + 1); };
    icons->menuAsked = report->menuAsked = [this](const QModelIndex &at, const QPoint &globalPos) {
        if (at.isValid())
            Q_EMIT itemClicked(at.row() + 1);
        Q_EMIT menuRequested(globalPos);
    };
    m_icons = icons;
    m_report = report;
    setObjectName(QStringLiteral("Lvw"));
    const QFont font = simSunFont(9.75);
    setFont(font);
    m_proxy->setBaseFont(font);
    m_proxy->setSourceModel(&rows);

    m_report->setModel(m_proxy);
    m_report->setItemDelegate(new CellTextDelegate(m_report));
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setSortingEnabled(false);
    m_report->setAllColumnsShowFocus(true);
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->setSelectionMode(QAbstractItemView::SingleSelection);
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->setIconSize(QSize(16, 16));
    m_report->header()->setSectionsMovable(false);
    m_report->header()->setStretchLastSection(false);
    for (int c = 0; c < ItemRowModel::ColumnCount; ++c)
        m_report->setColumnWidth(c, qRound(ItemRowModel::columnWidthTwips(c) / twipsPerPixel));

    // One selection for all views, so switching the view keeps the operator's row.
    m_icons->setModel(m_proxy);
    m_icons->setSelectionModel(m_report->selectionModel());
    m_icons->setSelectionMode(QAbstractItemView::SingleSelection);
    // A row chosen among the icons stays highlighted whole when the report view is shown.
    m_icons->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    // Each name gets the room it needs: a view with uniform item sizes measures only one row and
    // cuts every longer name to "…".
    m_icons->setUniformItemSizes(false);

    // Only the current item is ever removed, and after that no row is current: leave nothing
    // highlighted that the commands would not act on (the views would move it to a neighbour).
    connect(&rows, &QAbstractItemModel::rowsRemoved, this, [this] { m_report->selectionModel()->clear(); });

    addWidget(m_icons);
    addWidget(m_report);
    connectView(m_icons);
    connectView(m_report);
    setView(3);
}

void ItemListView::connectView(QAbstractItemView *view)
{
    connect(view, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) {
        if (i.isValid())
            Q_EMIT itemClicked(i.row() + 1);
    });
}

void ItemListView::setView(int view)
{
    const bool changed = view != m_view;
    m_view = view;
    switch (view) {
    case 0:
        m_proxy->setLargeImages(true);
        m_icons->setViewMode(QListView::IconMode);
        m_icons->setIconSize(QSize(32, 32));
        m_icons->setFlow(QListView::LeftToRight);
        m_icons->setWrapping(true);
        m_icons->setWordWrap(true);
        m_icons->setGridSize(largeIconCell(m_icons));
        setCurrentWidget(m_icons);
        break;
    case 1:
    case 2:
        m_proxy->setLargeImages(false);
        m_icons->setViewMode(QListView::ListMode);
        m_icons->setIconSize(QSize(16, 16));
        m_icons->setGridSize(QSize());
        m_icons->setWordWrap(false);
        // Small icons run across the rows; the list runs down the columns.
        m_icons->setFlow(view == 1 ? QListView::LeftToRight : QListView::TopToBottom);
        m_icons->setWrapping(true);
        m_icons->setSpacing(view == 1 ? 6 : 2);
        setCurrentWidget(m_icons);
        break;
    default:
        m_proxy->setLargeImages(false);
        setCurrentWidget(m_report);
        break;
    }
    // The operator's row stays in sight in the view switched to; a mere relayout leaves the
    // scrolling where the operator put it.
    if (changed && highlightedRow() != 0)
        static_cast<QAbstractItemView *>(currentWidget())->scrollTo(m_proxy->index(highlightedRow() - 1, 0));
}

void ItemListView::setListToolTip(const QString &tip)
{
    if (m_proxy->listToolTip() == tip)
        return;
    m_proxy->setListToolTip(tip);
    setToolTip(tip);
    m_icons->viewport()->setToolTip(tip);
    m_report->viewport()->setToolTip(tip);
}

QString ItemListView::listToolTip() const
{
    return m_proxy->listToolTip();
}

void ItemListView::reveal(int pos)
{
    const QModelIndex i = m_proxy->index(pos - 1, 0);
    if (!i.isValid())
        return;
    m_report->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // Only the view in sight scrolls; the other does when it is shown (setView). Scrolling the
    // hidden icon view lays all its items out again, each time: a journal of ten thousand items
    // restored at start, each one revealed as it is added, took minutes.
    static_cast<QAbstractItemView *>(currentWidget())->scrollTo(i);
}

int ItemListView::highlightedRow() const
{
    const QModelIndexList chosen = m_report->selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? 0 : chosen.first().row() + 1;
}

void ItemListView::highlight(int pos)
{
    if (pos == highlightedRow())
        return;
    if (pos == 0)
        m_report->selectionModel()->clearSelection();
    else
        reveal(pos);
}

void ItemListView::keepInStepWith(CurrentItem &current)
{
    connect(&current, &CurrentItem::changed, this, [this, &current] { highlight(current.position()); });
    connect(m_report->selectionModel(), &QItemSelectionModel::selectionChanged, &current,
            [this, &current] { current.set(highlightedRow()); });
    highlight(current.position());
}

QList<int> ItemListView::columnWidths() const
{
    QList<int> widths;
    for (int c = 0; c < ItemRowModel::ColumnCount; ++c)
        widths << m_report->columnWidth(c);
    return widths;
}

void ItemListView::setColumnWidths(const QList<int> &widths)
{
    if (widths.size() != ItemRowModel::ColumnCount)
        return;
    // A column dragged to nothing would be lost to the operator, who could not find its edge.
    for (int c = 0; c < ItemRowModel::ColumnCount; ++c)
        m_report->setColumnWidth(c, qMax(widths[c], 16));
}

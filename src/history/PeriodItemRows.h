#pragma once
// The period view's table of items: its columns and one row per item, each cell sorting by its number.

#include "timing/PeriodTakings.h"

#include <Qt>

class QStandardItemModel;

namespace PeriodItemRows {

// Sorting goes by the numbers, not by their texts: 9 sessions before 10.
constexpr int kSortRole = Qt::UserRole + 1;

// Puts period's items in model, under the period's columns: 机时 and 商品 apart when goods were sold.
void fill(QStandardItemModel &model, const PeriodTakings &period);

} // namespace PeriodItemRows

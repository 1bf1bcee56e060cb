#pragma once
// The goods an item's customer bought, held behind one pointer that stays empty until the first sale.

#include "timing/GoodsLine.h"

#include <QList>
#include <QSharedData>
#include <QSharedDataPointer>

// Most customers buy nothing: thousands of items would each carry an empty list's three words for
// nothing. Read, it is the list itself, empty when nothing was sold; copies share it until one
// of them sells more.
class ItemGoods {
public:
    operator const QList<GoodsLine> &() const { return m_sold ? m_sold->lines : none(); }
    QList<GoodsLine>::const_iterator begin() const { return lines().begin(); }
    QList<GoodsLine>::const_iterator end() const { return lines().end(); }
    bool isEmpty() const { return lines().isEmpty(); }

    // Adds goods as GoodsLine::merge does.
    void merge(const GoodsLine &goods)
    {
        if (!m_sold)
            m_sold = new Sold;
        GoodsLine::merge(m_sold->lines, goods);
    }

private:
    struct Sold : QSharedData {
        QList<GoodsLine> lines;
    };
    const QList<GoodsLine> &lines() const { return *this; }
    static const QList<GoodsLine> &none()
    {
        static const QList<GoodsLine> empty;
        return empty;
    }

    QSharedDataPointer<Sold> m_sold;
};

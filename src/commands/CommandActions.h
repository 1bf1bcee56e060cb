#pragma once
// One QAction for every toolbar button and menu entry, made from the command table with its
// caption, hint and enabled state at start. The toolbar and its menus only show them; the
// commands run on their triggers and change them.

#include "commands/CommandTable.h"

#include <QObject>

#include <array>

class QAction;

class CommandActions : public QObject {
    Q_OBJECT
public:
    explicit CommandActions(QObject *parent = nullptr);

    QAction *action(Button button) const;
    QAction *action(Entry entry) const;
    // Gives the current item a limit: in the list's menu and under the key L, not on the toolbar.
    QAction *limitAction() const { return m_limit; }
    static constexpr char16_t LimitLetter = u'L';
    // Sells goods to the current item's customer: in the list's menu and under the key G.
    QAction *goodsAction() const { return m_goods; }
    static constexpr char16_t GoodsLetter = u'G';
    // Moves the current item's customer to another seat: in the list's menu and under the key J.
    QAction *moveAction() const { return m_move; }
    static constexpr char16_t MoveLetter = u'J';
    // Hands the shift over to the next operator, or begins one: under the key B and in the day view.
    QAction *handOverAction() const { return m_handOver; }
    static constexpr char16_t HandOverLetter = u'B';
    // The command of a letter that is no button's (L, G, J or B, either case); none for others.
    QAction *letterCommandFor(QChar ch) const;
    // The receipt and paper settings: at the end of the 风格 menu, a setting like the look.
    QAction *receiptAction() const { return m_receipt; }

private:
    std::array<QAction *, CommandTable::ButtonCount> m_buttons {};
    std::array<QAction *, CommandTable::EntryCount> m_entries {};
    QAction *m_limit = nullptr;
    QAction *m_goods = nullptr;
    QAction *m_move = nullptr;
    QAction *m_receipt = nullptr;
    QAction *m_handOver = nullptr;
};

#pragma once
// What the papers handed over the counter carry besides the timing: the shop's name, what the
// customer paid, the till's rounding, and the paper each kind of report is laid out for.

#include "timing/AmountDue.h"

#include <QString>

#include <array>

class SettingsStore;

struct ReceiptSettings {
    // The papers whose paper the operator chooses, each remembered on its own.
    enum class Paper { Bill, List, Day, Period, Shift };
    static constexpr int PaperCount = 5;
    // The widths of roll paper a counter printer takes, in mm; 0 is an A4 page.
    static constexpr int kRollWidths[] = {0, 80, 58};

    QString shopName; // no line on the bill when empty
    bool askPaid = false; // ending an item with 是 asks what the customer paid
    AmountDue::Rounding rounding = AmountDue::Rounding::Fen;
    std::array<int, PaperCount> rollWidth {}; // per Paper, 0 for A4

    int rollWidthFor(Paper paper) const { return rollWidth[size_t(paper)]; }

    // A stored value the program does not know (a width no roll has, a rounding step) reads as the
    // default, so that a hand-edited file never leaves a paper without a layout.
    void load(SettingsStore &store);
    void save(SettingsStore &store) const;
};

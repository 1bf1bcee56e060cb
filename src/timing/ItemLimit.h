#pragma once
// A prepaid limit on a timing item: minutes booked in advance, or money paid in advance, and how
// far the item's bill is from it.

#include <QString>

#include <functional>
#include <optional>

// Measured in the bill's own minutes (C), so that what the limit says and what the bill says can
// never disagree, and a wall clock set forward cannot reach a limit early. A money limit is held
// as the minute at which the scheme's fee first reaches the money: the fee is asked once, when the
// limit is set, not at every refresh of thousands of rows.
class ItemLimit {
public:
    enum class Kind : quint8 { None, Minutes, Money };
    enum class State { None, Near, Reached };
    // The warning band: this many minutes before the limit, or the money of this many minutes.
    static constexpr double kNearMinutes = 5;
    // More money than any counter takes in advance; a number beyond it was not written by us.
    static constexpr double kMostMoney = 1e9;

    using Fee = std::function<double(double minutes)>;

    // The numbers first and the flags together: every item carries a limit, set or not.
    double amount = 0; // minutes, or money
    double limitMinutes = 0; // the bill's minutes at which the limit is reached
    Kind kind = Kind::None;
    bool endAtLimit = false; // the session ends at the limit's minute instead of timing on
    bool told = false; // the operator has been told this limit was reached

    bool isSet() const { return kind != Kind::None; }

    // A limit of minutes; nothing when the number is not a sensible one.
    static std::optional<ItemLimit> ofMinutes(double minutes, bool endAtLimit);
    // A limit of money on a scheme, set when the bill stands at minutes. refusal says why there is
    // none: the amount is no sensible number, the scheme's fee does not rise with time (a flat fee
    // can never be used up), or it never reaches the amount.
    static std::optional<ItemLimit> ofMoney(double money, bool endAtLimit, const Fee &fee, double minutes,
                                            QString *refusal = nullptr);

    // The kind as the journal and the ledger write it ("0", "1", "2"), and read back: nothing for a
    // text this program does not write.
    static QString kindField(Kind kind) { return QString::number(int(kind)); }
    static std::optional<Kind> kindOf(const QString &field);

    // A limit as a bill keeps it: its kind and amount alone, nothing when they are not sensible.
    static std::optional<ItemLimit> recorded(Kind kind, double amount);

    State state(double minutes) const;
    // Minutes left before the limit; negative once past it.
    double minutesLeft(double minutes) const { return limitMinutes - minutes; }
    // Money left, given the bill's fee now; negative once past it.
    double moneyLeft(double fee) const { return amount - fee; }

    // "60 分钟", "10.00 元"; empty when there is no limit.
    QString text() const;
    // "剩余 12 分钟", "剩余 3.50 元", "已到限额", "已到限额,超出 273 分钟"; empty when there is no limit.
    QString leftText(double minutes, double fee) const;

    bool operator==(const ItemLimit &) const = default;
};

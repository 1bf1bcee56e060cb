#pragma once
// A reading of the clock nobody can set, or none: an optional number of milliseconds in one word.

#include <QtGlobal>

#include <limits>
#include <optional>

// Read as std::optional<qint64> reads. Every item and every moment carries one; an optional's
// separate flag and its padding took a second word. No clock reads the smallest number.
class ElapsedReading {
public:
    ElapsedReading() = default;
    ElapsedReading(std::nullopt_t) { }
    ElapsedReading(qint64 ms) : m_ms(ms) { }
    ElapsedReading(std::optional<qint64> ms) : m_ms(ms.value_or(kNone)) { }
    operator std::optional<qint64>() const { return has_value() ? std::optional<qint64>(m_ms) : std::nullopt; }

    bool has_value() const { return m_ms != kNone; }
    explicit operator bool() const { return has_value(); }
    qint64 operator*() const { return m_ms; }
    qint64 value_or(qint64 fallback) const { return has_value() ? m_ms : fallback; }

    bool operator==(const ElapsedReading &) const = default;

private:
    static constexpr qint64 kNone = std::numeric_limits<qint64>::min();
    qint64 m_ms = kNone;
};

#pragma once
// The default locale set for as long as a test needs it and put back however the test ends: a
// failing comparison returns early and must not leave its locale to the tests after it.

#include <QLocale>

class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale &locale) : m_previous(QLocale()) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_previous); }
    DefaultLocale(const DefaultLocale &) = delete;
    DefaultLocale &operator=(const DefaultLocale &) = delete;

private:
    QLocale m_previous;
};

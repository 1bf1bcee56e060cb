#pragma once
// What the toolbar buttons, their menu entries and the letter keys of the main window do.

#include <QPersistentModelIndex>
#include <QString>

class CommandHost;
class HistoryLog;
class ModClock;
class Prompter;
class QChar;
class Reports;
class WallClock;

// The window forwards button clicks (by position), menu-entry clicks (by identifier) and typed
// characters here; the commands change the shared state and tell the window what to show through
// CommandHost. Questions go through Prompter, so tests script the operator's answers.
class ToolbarCommands {
public:
    ToolbarCommands(ModClock &state, CommandHost &host, Prompter &prompter, const WallClock &clock,
                    Reports &reports, HistoryLog &history);

    // Buttons sit at the even positions 2 to 20; any other position does nothing.
    void ButtonClick(int pos);
    // Identifiers "S1" to "H3", compared exactly (letter case included); others do nothing.
    void MenuClick(const QString &id);
    // A typed character presses the button it stands for; true when it stood for one. The window
    // then keeps the key from the list, whose type-ahead would otherwise move the current item.
    bool KeyPress(QChar ch);

    // The button a character presses, or 0 when it presses none (M only while removing is possible).
    int ButtonForKey(QChar ch) const;

    // The cycles of the style button and its menu. Any value outside a cycle starts it over.
    static qint32 ViewAfter(qint32 view);
    static qint32 DepthModeAfter(qint32 mode);
    // Black, blue, cyan, green, magenta, red, white, then black again.
    static qint32 ColorAfter(qint32 color);

    static QString RemoveQuestion();
    static QString NotFoundMessage(const QString &name);

    // The row the last search found, which alone is shown bold; 0 when there is none.
    int LastFoundPos() const;

private:
    void removeCurrent();
    void findItem();
    void startStopAll();
    void showView(qint32 view);
    int findRow(const QString &name) const;

    ModClock &m_state;
    CommandHost &m_host;
    Prompter &m_prompter;
    const WallClock &m_clock;
    Reports &m_reports;
    HistoryLog &m_history;
    // Follows its row when earlier rows are removed and empties itself when its own row goes.
    QPersistentModelIndex m_lastFound;
};

#pragma once
// What the toolbar buttons, their menu entries, the letter keys and a click on a row do.

#include "commands/CommandStates.h"
#include "commands/CommandTable.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

#include <optional>

class CommandActions;
class CommandHost;
class CurrentItem;
class HistoryLog;
class ModClock;
class Prompter;
class TimingReports;
class WallClock;

// Runs on the triggers of the actions; the commands change the shared state through its operations
// on the current item, tell the window what to show through CommandHost and ask for the windows
// they open by signals. Questions go through Prompter, so tests script the operator's answers. An
// item added to the list becomes the current item (and so the highlighted row).
class ToolbarCommands : public QObject {
    Q_OBJECT
public:
    ToolbarCommands(ModClock &state, CurrentItem &current, CommandHost &host, CommandActions &actions,
                    Prompter &prompter, const WallClock &clock, TimingReports &reports, HistoryLog &history,
                    QObject *parent = nullptr);

    void buttonClick(Button button);
    void menuClick(Entry entry);
    // A typed character presses the button it stands for; true when it stood for one. The window
    // then keeps the key from the list, whose type-ahead would otherwise move the current item.
    bool keyPress(QChar ch);
    // The button a character presses, if any (M only while removing is possible).
    std::optional<Button> buttonForKey(QChar ch) const;

    // An item started as it was added (or restored running) switches the clock on, and the start
    // button shows it.
    void clockStartedByAnItem();

    // The list's item-click handling: row pos becomes the current item, the commands that act on
    // it are enabled and the list's tooltip shows its result.
    void itemClick(int pos);

    // The cycles of the style button and its menu. Any value outside a cycle starts it over.
    static qint32 viewAfter(qint32 view);
    static qint32 depthModeAfter(qint32 mode);
    // Black, blue, cyan, green, magenta, red, white, then black again.
    static qint32 colorAfter(qint32 color);

    // The removal question about the item called name.
    static QString removeQuestion(const QString &name);
    static QString notFoundMessage(const QString &name);

    // The row the last search found, which alone is shown bold; 0 when there is none.
    int lastFoundPos() const;
    // The item the commands on one item act on, which the list keeps highlighted.
    CurrentItem &currentItem() const { return m_current; }

Q_SIGNALS:
    // Windows the commands open; the program opens them.
    void newItemsRequested(); // modal, owned by the main window
    void schemeRequested(); // modal, owned by the main window
    void helpRequested(); // the help file at its contents
    void aboutRequested(); // the splash window as About, its timer stopped
    void historyRequested();
    void receiptRequested(); // the receipt and paper settings, modal
    // The limit dialog for the item at pos, the current one.
    void limitRequested(int pos);
    // The goods dialog, and the new name's, for the item at pos, the current one.
    void goodsRequested(int pos);
    void moveRequested(int pos);
    void handOverRequested(); // the shift's hand-over, modal

private:
    // The design's operations, on the current item or on all of them.
    void StartTimer();
    void EndTimer();
    void SetTimer(bool clockEnabled);
    // settling: the item was just ended to be billed, and the customer may be asked what they paid.
    void reportCurrent(bool bPreview, bool settling = false);
    void showTooltip();

    void removeCurrent();
    void findItem();
    void startStopAll();
    void showView(qint32 view);
    int findRow(const QString &name) const;

    ModClock &m_state;
    CurrentItem &m_current;
    CommandHost &m_host;
    CommandActions &m_actions;
    Prompter &m_prompter;
    const WallClock &m_clock;
    TimingReports &m_reports;
    HistoryLog &m_history;
    // Follows its row when earlier rows are removed and empties itself when its own row goes.
    QPersistentModelIndex m_lastFound;
    CommandStates m_states;
};

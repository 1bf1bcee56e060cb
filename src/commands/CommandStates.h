#pragma once
// What the window shows of the commands and the items, computed in one place: every action's
// enabled state, the start button's caption and tooltip, and the item counts in the status bar.

#include <QObject>

#include <optional>

class CommandActions;
class CommandHost;
class CurrentItem;
class ModClock;

class CommandStates : public QObject {
    Q_OBJECT
public:
    // Follows the items and the current item by itself; the rest is told through the setters.
    CommandStates(const ModClock &state, const CurrentItem &current, CommandActions &actions, CommandHost &host,
                  QObject *parent = nullptr);

    // The start button after what last switched the clock: start all or stop all give it its
    // caption and tooltip; an item started on its own creation only its short caption.
    enum class StartCaption { StartAll, StopAll, StopShort };
    void setStartCaption(StartCaption caption);

    // The one slot: everything above from the items, the current item and what it was told.
    void showStates();

private:
    const ModClock &m_state;
    const CurrentItem &m_current;
    CommandActions &m_actions;
    CommandHost &m_host;
    std::optional<StartCaption> m_startCaption; // none: as the command table made it
};

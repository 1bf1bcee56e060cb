#pragma once
// The main window's four view settings, with their keys and defaults in one place.

#include <QtGlobal>

class SettingsStore;

struct ViewSettings {
    qint32 lngDepthColor = 0; // "DEPTHCOLOR"
    qint32 lngDepthMode = 4; // "DEPTHMODE"
    qint32 lngView = 3; // "VIEW": 0 large icons, 1 small icons, 2 list, 3 report
    qint32 lngLineColor = 16777215; // "LINECOLOR"

    // Reads the four keys in the order DEPTHCOLOR, DEPTHMODE, VIEW, LINECOLOR. A stored text that
    // is not a 32-bit number reads as 0, as the operator's old settings always have.
    void load(SettingsStore &store);
    // Writes them, as decimal text, in the same order.
    void save(SettingsStore &store) const;
};

#pragma once
// Where an item on a scheme priced by the hour stands in its bands, held apart from the item so
// that an item on a plain formula carries one empty pointer and no more.

#include "timing/ItemChange.h"
#include "timing/SchemeBands.h"

#include <QList>
#include <QSharedData>

#include <memory>

// The fees are kept beside the minutes: a minute timed changes one band's minutes, and only that
// band's formula needs evaluating again.
struct BandedTiming : QSharedData {
    std::shared_ptr<const SchemeBands> scheme;
    QList<double> minutes; // per band: typed in at the add, booked, and of the session in progress
    QList<double> fees; // what each band's formula charges for its minutes
    double sessionBanded = 0; // how many of the running session's minutes the bands hold
    int band = 0; // the band the latest minute fell in

    ItemBands state() const { return {minutes, sessionBanded, band}; }
};

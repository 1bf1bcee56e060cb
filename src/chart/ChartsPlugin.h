#pragma once
// The chart module's entry point, found by QPluginLoader.

#include "chart/PeriodChartModule.h"

#include <QObject>

class ChartsPlugin : public QObject, public PeriodChartModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PeriodChartModule_iid)
    Q_INTERFACES(PeriodChartModule)
public:
    PeriodChartDrawing *make(QWidget *parent) override;
};

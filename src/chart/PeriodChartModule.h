#pragma once
// The entry point of the chart module: the object QPluginLoader finds in it.

#include <QtPlugin>

class PeriodChartDrawing;
class QWidget;

class PeriodChartModule {
public:
    virtual ~PeriodChartModule() = default;
    // A new chart, a child of parent, showing no takings yet.
    virtual PeriodChartDrawing *make(QWidget *parent) = 0;
};

#define PeriodChartModule_iid "org.vantorel.PeriodChartModule/1.0"
Q_DECLARE_INTERFACE(PeriodChartModule, PeriodChartModule_iid)

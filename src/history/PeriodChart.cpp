#include "history/PeriodChart.h"

#include "chart/PeriodChartDrawing.h"
#include "chart/PeriodChartModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPluginLoader>
#include <QVBoxLayout>

namespace {
const QString kModuleName = QStringLiteral("vantorel_chart");

// The chart module, loaded once: from the program's folder, where the build and the Windows install
// put it, or its modules/ (the Linux install), or else from the build's own folder (test programs
// live elsewhere in the build tree).
PeriodChartModule *chartModule()
{
    static PeriodChartModule *const module = [] () -> PeriodChartModule * {
        const QString beside = QCoreApplication::applicationDirPath();
        QStringList folders {beside, beside + QStringLiteral("/modules")};
#ifdef VANTOREL_CHART_BUILD_DIR
        folders.append(QStringLiteral(VANTOREL_CHART_BUILD_DIR));
#endif
        QStringList errors;
        for (const QString &folder : folders) {
            const QString path = QDir(folder).filePath(kModuleName);
            QPluginLoader loader(path);
            if (auto *found = qobject_cast<PeriodChartModule *>(loader.instance()))
                return found;
            errors.append(path + QStringLiteral(": ") + loader.errorString());
        }
        qWarning("The period chart cannot be drawn: %s", qPrintable(errors.join(QStringLiteral("; "))));
        return nullptr;
    }();
    return module;
}

// Holds the module's chart once it is loaded, and what was asked of it before.
class ModulePeriodChart : public PeriodChart {
public:
    ModulePeriodChart(QWidget *parent, Loading loading) : PeriodChart(parent)
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        if (loading == Loading::Now)
            load();
    }

    void setTakings(const PeriodTakings &takings) override
    {
        if (m_drawing)
            m_drawing->setTakings(takings);
        else
            m_takings = takings;
    }

    QImage image(const QSize &size, qreal dotsPerInch) const override
    {
        return load() ? m_drawing->image(size, dotsPerInch) : QImage();
    }

    QString pointedText() const override { return load() ? m_drawing->pointedText() : QString(); }

    void point(int bucket) override
    {
        if (load())
            m_drawing->point(bucket);
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        load();
        PeriodChart::showEvent(event);
    }

private:
    // The chart, or the note in its place, made at the first need; whether there is a chart.
    bool load() const
    {
        if (m_loaded)
            return m_drawing != nullptr;
        m_loaded = true;
        auto *self = const_cast<ModulePeriodChart *>(this);
        PeriodChartModule *module = chartModule();
        if (!module) {
            auto *note = new QLabel(QStringLiteral("未能载入图表模块,图表无法显示。"), self);
            note->setAlignment(Qt::AlignCenter);
            layout()->addWidget(note);
            return false;
        }
        m_drawing = module->make(self);
        m_drawing->setTakings(m_takings);
        m_takings = PeriodTakings();
        m_drawing->onPointed([self](const QString &text) { Q_EMIT self->pointed(text); });
        layout()->addWidget(m_drawing->widget());
        return true;
    }

    mutable bool m_loaded = false;
    mutable PeriodChartDrawing *m_drawing = nullptr; // a child widget: deleted with this
    mutable PeriodTakings m_takings; // until the chart is there to take them
};
} // namespace

PeriodChart *PeriodChart::make(QWidget *parent, Loading loading)
{
    return new ModulePeriodChart(parent, loading);
}

#include "dialogs/BandEditor.h"

#include "draw/SimSunFont.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kDay = 24 * 60;
constexpr int kStartWidth = 64;

QTime timeOf(int start)
{
    return QTime(start / 60, start % 60);
}

int minutesOf(const QTime &time)
{
    return time.hour() * 60 + time.minute();
}

// A refused formula or a start taken twice shows in red, so that the operator sees which band
// holds OK back while the verdict speaks of another.
void markRefused(QWidget *control, bool refused)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Text, refused ? QColor(Qt::red) : QApplication::palette(control).color(QPalette::Text));
    control->setPalette(palette);
}
} // namespace

struct BandEditor::Band {
    QWidget *line = nullptr;
    QTimeEdit *start = nullptr;
    QLineEdit *formula = nullptr;
    FormulaCheck check;
};

BandEditor::BandEditor(const FormulaEvaluator &evaluator, QWidget *parent)
    : QGroupBox(QStringLiteral("按时段计价"), parent), m_evaluator(evaluator)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(4);

    auto *heads = new QHBoxLayout;
    // Over the lines, which sit inside the scroll area's frame and margin.
    heads->setContentsMargins(4, 0, 0, 0);
    auto *startHead = new QLabel(QStringLiteral("开始时间"), this);
    startHead->setFixedWidth(kStartWidth);
    heads->addWidget(startHead);
    heads->addWidget(new QLabel(QStringLiteral("计时表达式"), this), 1);
    m_add = new QPushButton(QStringLiteral("增加时段 &I"), this);
    m_add->setObjectName(QStringLiteral("cmdAddBand"));
    m_remove = new QPushButton(QStringLiteral("删除时段 &D"), this);
    m_remove->setObjectName(QStringLiteral("cmdRemoveBand"));
    // Enter belongs to OK, even while one of these has the focus.
    for (QPushButton *button : {m_add, m_remove})
        button->setAutoDefault(false);
    heads->addWidget(m_add);
    heads->addWidget(m_remove);
    layout->addLayout(heads);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *lines = new QWidget(scroll);
    m_lines = new QVBoxLayout(lines);
    m_lines->setContentsMargins(2, 2, 2, 2);
    m_lines->setSpacing(2);
    m_lines->addStretch(1);
    scroll->setWidget(lines);
    layout->addWidget(scroll, 1);

    auto *verdict = new QHBoxLayout;
    verdict->addWidget(new QLabel(QStringLiteral("表达式正误:"), this));
    m_tip = new QLabel(this);
    m_tip->setObjectName(QStringLiteral("lblBandTip"));
    verdict->addWidget(m_tip, 1);
    layout->addLayout(verdict);
    auto *hint = new QLabel(QStringLiteral("每个时段从其开始时间计价,最后开始的时段延续到次日第一个时段开始。"), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    connect(m_add, &QPushButton::clicked, this, &BandEditor::onAddClicked);
    connect(m_remove, &QPushButton::clicked, this, &BandEditor::onRemoveClicked);
}

BandEditor::~BandEditor() = default;

void BandEditor::start(const QString &formula)
{
    addBand(0, formula);
}

void BandEditor::addBand(int start, const QString &formula)
{
    auto band = std::make_unique<Band>();
    Band *b = band.get();
    b->line = new QWidget;
    auto *row = new QHBoxLayout(b->line);
    row->setContentsMargins(0, 0, 0, 0);
    b->start = new QTimeEdit(timeOf(start), b->line);
    b->start->setObjectName(QStringLiteral("txtBandStart"));
    b->start->setDisplayFormat(QStringLiteral("HH:mm"));
    b->start->setWrapping(true);
    b->start->setFixedWidth(kStartWidth);
    b->formula = new QLineEdit(formula, b->line);
    b->formula->setObjectName(QStringLiteral("txtBandFormula"));
    b->formula->setFont(simSunFont(10.5));
    row->addWidget(b->start);
    row->addWidget(b->formula, 1);
    for (QWidget *control : {static_cast<QWidget *>(b->start), static_cast<QWidget *>(b->formula)})
        control->installEventFilter(this);
    connect(b->start, &QTimeEdit::timeChanged, this, [this, b] { bandEdited(b); });
    connect(b->formula, &QLineEdit::textChanged, this, [this, b] { bandEdited(b); });

    m_lines->insertWidget(m_lines->count() - 1, b->line);
    // At once, not when the layout gets round to it: the new start takes the focus straight away.
    b->line->show();
    m_bands.push_back(std::move(band));
    m_current = int(m_bands.size()) - 1;
    b->check.check(m_evaluator, formula);
    chainTabs();
    refresh();
}

void BandEditor::onAddClicked()
{
    // The next free hour after the band being edited, at the same price to begin with: the
    // operator mostly changes the rate and the time.
    const Band &from = *m_bands[m_current];
    int start = minutesOf(from.start->time());
    for (int i = 0; i < 24; ++i) {
        start = (start + 60) % kDay;
        if (std::none_of(m_bands.begin(), m_bands.end(),
                         [start](const auto &b) { return minutesOf(b->start->time()) == start; }))
            break;
    }
    addBand(start, from.formula->text());
    m_bands.back()->start->setFocus();
    emit changed();
}

void BandEditor::onRemoveClicked()
{
    // The last band stays: a scheme priced by the hour has at least one.
    if (m_bands.size() < 2)
        return;
    delete m_bands[m_current]->line;
    m_bands.erase(m_bands.begin() + m_current);
    m_current = std::min(m_current, int(m_bands.size()) - 1);
    chainTabs();
    refresh();
    focusBand();
    emit changed();
}

void BandEditor::bandEdited(Band *band)
{
    for (std::size_t i = 0; i < m_bands.size(); ++i) {
        if (m_bands[i].get() == band)
            m_current = int(i);
    }
    band->check.check(m_evaluator, band->formula->text());
    refresh();
    emit changed();
}

bool BandEditor::startTaken(const Band *band) const
{
    const int start = minutesOf(band->start->time());
    return std::count_if(m_bands.begin(), m_bands.end(),
                         [start](const auto &b) { return minutesOf(b->start->time()) == start; })
        > 1;
}

void BandEditor::refresh()
{
    for (const auto &band : m_bands) {
        markRefused(band->formula, !band->check.accepted());
        markRefused(band->start, startTaken(band.get()));
    }
    const Band &current = *m_bands[m_current];
    if (current.check.accepted() && startTaken(&current))
        m_tip->setText(QStringLiteral("有两个时段从%1开始。").arg(current.start->time().toString(u"HH:mm")));
    else
        m_tip->setText(current.check.verdict());
    m_remove->setEnabled(m_bands.size() > 1);
}

std::optional<SchemeBands> BandEditor::bands() const
{
    QList<SchemeBands::Band> list;
    for (const auto &band : m_bands) {
        if (!band->check.accepted())
            return std::nullopt;
        list.append({minutesOf(band->start->time()), band->formula->text().trimmed()});
    }
    // Only bands that read back as themselves are offered: the stored text is all that is kept.
    std::optional<SchemeBands> bands = SchemeBands::of(list);
    if (!bands || SchemeBands::parse(bands->text()) != bands)
        return std::nullopt;
    return bands;
}

void BandEditor::focusBand()
{
    m_bands[m_current]->formula->setFocus();
}

void BandEditor::chainTabs()
{
    // Lines are only ever added at the end, so their controls come in the order they were made;
    // the two buttons, made first, go after them.
    setTabOrder(m_bands.back()->formula, m_add);
    setTabOrder(m_add, m_remove);
}

bool BandEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        for (std::size_t i = 0; i < m_bands.size(); ++i) {
            if (watched == m_bands[i]->start || watched == m_bands[i]->formula) {
                m_current = int(i);
                refresh();
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

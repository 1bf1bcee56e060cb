#include "dialogs/SchemeDialog.h"

#include "dialogs/BandEditor.h"
#include "dialogs/DialogDesign.h"
#include "draw/SimSunFont.h"
#include "formula/FormulaEvaluator.h"
#include "timing/Tariff.h"

#include "draw/Artwork.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

using DialogDesign::label;
using DialogDesign::twipsRect;

namespace {
// The dialog's design, and how much taller it grows while it shows bands.
constexpr int kWidth = 6720;
constexpr int kHeight = 4140;
constexpr int kBandsTaller = 2250;
} // namespace

QString SchemeDialog::firstHelpText()
{
    // The quotes around C and around the symbols are plain double quotes inside the text.
    return QStringList {QStringLiteral("提示:   耗时 = 终止计时时间 - 开始计时时间  注意: "
                                       "时间计算以秒计数,如果计时次数不止一次，则耗时累计为每次耗时之和。 "
                                       "计时方案的结果是计时表达式计算的结果,耗时累计用"),
                        QStringLiteral("C"),
                        QStringLiteral("取得。即表达式中的符号"),
                        QStringLiteral("C"),
                        QStringLiteral("被耗时累计的实际数值所替换。表达式支持运算加、减、乘、除、整除、乘方、开方、对"
                                       "数 及基本三角函数等运算,基本符号分别为"),
                        QStringLiteral("+ - * / \\ ^ SQR(N),LOG(N), SIN(N),COS(N),TAN(N)其中N为数字或角度.")}
        .join(u'"');
}

QString SchemeDialog::secondHelpText()
{
    return QStringLiteral("   "
                          "计时的结果实际上是耗时累计参与表达式计算的结果，所以，如果表达式没有耗时参与表达式运算，则表"
                          "达式无意义(用不着计时)。示例: "
                          "某网吧用本软件计算上网者上网时间。其中A型电脑每小时费用5元,"
                          "B型每小时费用3元。则可设定两个计时方案的表达式: 5*C/60 ,3*C/60 "
                          "因为'C'为耗时累计(分钟),所以用小时为单位计费则要除以60。设定计时方案后,"
                          "每增一名上网者，则新增一个计时项。每一项上网费用可即时从结果中查看。");
}

SchemeDialog::SchemeDialog(Tariff &state, QWidget *owner, std::function<void()> schemesChanged)
    : QDialog(owner), m_state(state), m_schemesChanged(std::move(schemesChanged))
{
    DialogDesign::setUpWindow(this, QStringLiteral("新增计时方案"), kWidth, kHeight);
    buildControls();
}

void SchemeDialog::buildControls()
{
    // Created in stacking order: the help labels first, so that the frame covers their lower edge
    // where the design lets them overlap.
    label(this, "Label2", firstHelpText(), twipsRect(150, 0, 6315, 1140));
    label(this, "Label4", secondHelpText(), twipsRect(75, 1125, 6390, 1140));

    Frame1 = new QGroupBox(QStringLiteral("新增方案"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(150, 2250, 6315, 1215));

    label(Frame1, "Label1", QStringLiteral("计时表达式:"), twipsRect(150, 300, 1215, 315));
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(1275, 300, 4890, 390));
    Text1->setFont(simSunFont(10.5));
    label(Frame1, "Label3", QStringLiteral("表达式正误:"), twipsRect(150, 750, 1140, 390));
    lblTip = label(Frame1, "lblTip", QString(), twipsRect(1275, 750, 4890, 315));

    cmdOK = DialogDesign::pictureButton(this, Artwork::okButtonPicture(), QRect(), true);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel = DialogDesign::pictureButton(this, Artwork::cancelButtonPicture(), QRect(), false);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Reached by its letter, not by Tab: the formula line keeps the keyboard, and the bands take
    // it over once they are shown.
    chkBands = new QCheckBox(QStringLiteral("按时段计价 &B"), this);
    chkBands->setObjectName(QStringLiteral("chkBands"));
    chkBands->setFocusPolicy(Qt::NoFocus);
    placeFooter(0);

    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, Text1);

    connect(Text1, &QLineEdit::textChanged, this, &SchemeDialog::onText1Changed);
    connect(cmdOK, &QPushButton::clicked, this, &SchemeDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(chkBands, &QCheckBox::toggled, this, &SchemeDialog::showBands);
}

void SchemeDialog::run(Tariff &state, QWidget *owner, std::function<void()> schemesChanged)
{
    SchemeDialog dialog(state, owner, std::move(schemesChanged));
    dialog.exec();
}

bool SchemeDialog::CheckClock()
{
    return m_check.CheckClock(Text1->text());
}

void SchemeDialog::CheckEnabled()
{
    lblTip->setText(m_check.verdict());
    cmdOK->setEnabled(m_check.accepted());
}

void SchemeDialog::onText1Changed()
{
    m_check.check(m_state.evaluator(), Text1->text());
    CheckEnabled();
}

void SchemeDialog::showBands(bool shown)
{
    if (shown && !m_bands) {
        m_bands = new BandEditor(m_state.evaluator(), this);
        m_bands->setObjectName(QStringLiteral("BandEditor"));
        // In the formula's frame, grown downwards.
        m_bands->setGeometry(Frame1->geometry().adjusted(0, 0, 0, DialogDesign::pixels(kBandsTaller)));
        // The formula typed so far prices the first band, from midnight.
        m_bands->start(Text1->text());
        connect(m_bands, &BandEditor::changed, this, &SchemeDialog::bandsChanged);
    }
    Frame1->setVisible(!shown);
    if (m_bands)
        m_bands->setVisible(shown);
    const int taller = shown ? kBandsTaller : 0;
    setFixedSize(DialogDesign::pixels(kWidth), DialogDesign::pixels(kHeight + taller));
    placeFooter(taller);
    if (shown) {
        bandsChanged();
        m_bands->focusBand();
    } else {
        cmdOK->setEnabled(m_check.accepted());
        Text1->setFocus();
    }
}

void SchemeDialog::placeFooter(int taller)
{
    cmdOK->setGeometry(twipsRect(3000, 3525 + taller, 1440, 615));
    cmdCancel->setGeometry(twipsRect(5100, 3525 + taller, 1440, 615));
    chkBands->setGeometry(twipsRect(150, 3690 + taller, 2700, 300));
}

void SchemeDialog::bandsChanged()
{
    cmdOK->setEnabled(m_bands->bands().has_value());
}

void SchemeDialog::cmdOK_Click()
{
    // The formula as typed (the C stays a C, nothing is trimmed), or the bands as one line; an
    // equal entry may already exist.
    if (!chkBands->isChecked()) {
        m_state.cFangAn.add(Text1->text());
    } else if (const std::optional<SchemeBands> bands = m_bands->bands()) {
        m_state.cFangAn.add(bands->text());
    } else {
        return;
    }
    accept();
    // Closed first, so that a box about a failed save stands over the window the operator sees.
    if (m_schemesChanged)
        m_schemesChanged();
}

void SchemeDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    focusInput();
}

void SchemeDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        focusInput();
}

void SchemeDialog::focusInput()
{
    if (chkBands->isChecked())
        m_bands->focusBand();
    else
        Text1->setFocus();
}

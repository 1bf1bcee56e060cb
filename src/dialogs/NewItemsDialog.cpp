#include "dialogs/NewItemsDialog.h"

#include "dialogs/DialogDesign.h"
#include "dialogs/LeadingNumber.h"
#include "dialogs/Prompter.h"
#include "dialogs/SchemeDialog.h"
#include "draw/Artwork.h"
#include "draw/SimSunFont.h"
#include "timing/ChecksummedLine.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/WallClock.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <iterator>

using DialogDesign::label;
using DialogDesign::twipsRect;

QString NewItemsDialog::helpText()
{
    return QStringLiteral(
        "提示:  "
        "计时项名称是计时项的标识，不能重复。如果该计时项增加此项之前已有计时发生，则可输入时间累计,"
        "系统将加入此前的计时与此后的计时一起合计。选中一个计时结果的计算方案,按下确定新增一项计时。");
}

NewItemsDialog::NewItemsDialog(ModClock &state, WallClock &clock, Prompter &prompter, QWidget *owner,
                               std::function<void()> schemesChanged)
    : QDialog(owner), m_state(state), m_clock(clock), m_prompter(prompter), m_schemesChanged(std::move(schemesChanged))
{
    // The scheme dialog belongs to the main window, like this one, not to this dialog.
    m_openSchemeDialog = [this, &state, owner] { SchemeDialog::run(state.tariff, owner, m_schemesChanged); };
    DialogDesign::setUpWindow(this, QStringLiteral("新增"), 6405, 4125);
    buildControls();
    Form_Load();
}

void NewItemsDialog::run(ModClock &state, WallClock &clock, Prompter &prompter, QWidget *owner,
                         std::function<void()> schemesChanged, std::function<void()> startedOnAdding)
{
    // An item needs a scheme, and an operator who has never made one would meet an empty list and
    // a grey OK: offer the scheme dialog first, so that the dialog opens with the new scheme chosen.
    if (state.tariff.cFangAn.count() == 0
        && prompter.msgBox(QStringLiteral("还没有计时方案。计时项按计时方案的公式计算结果,例如 5*C/60 "
                                          "为每小时 5 元。\n现在新增一个计时方案吗?"),
                           Prompter::Buttons::YesNo, Prompter::Icon::Question)
            == Prompter::Answer::Yes)
        SchemeDialog::run(state.tariff, owner, schemesChanged);
    NewItemsDialog dialog(state, clock, prompter, owner, std::move(schemesChanged));
    if (startedOnAdding)
        connect(&dialog, &NewItemsDialog::startedOnAdding, &dialog, startedOnAdding);
    dialog.exec();
}

void NewItemsDialog::setSchemeDialogOpener(std::function<void()> open)
{
    m_openSchemeDialog = std::move(open);
}

void NewItemsDialog::buildControls()
{
    // The help label comes first so that the frame, which overlaps its lower edge, lies above it.
    label(this, "Label4", helpText(), twipsRect(75, 0, 6240, 915));

    auto *frame = new QGroupBox(QStringLiteral("计时项目"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(75, 600, 6165, 2640));

    const QFont boxFont = simSunFont(10.5);
    label(frame, "Label1", QStringLiteral("计时项名称:"), twipsRect(150, 300, 1140, 390));
    txtName = new QLineEdit(frame);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setGeometry(twipsRect(1200, 225, 2190, 315));
    txtName->setFont(boxFont);
    label(frame, "Label3", QStringLiteral("计时累计:"), twipsRect(3600, 300, 1065, 390));
    txtTime = new QLineEdit(frame);
    txtTime->setObjectName(QStringLiteral("txtTime"));
    txtTime->setGeometry(twipsRect(4725, 225, 1290, 315));
    txtTime->setFont(boxFont);
    label(frame, "Label2", QStringLiteral("选中计算方案:"), twipsRect(150, 675, 3390, 315));
    Lst = new QListWidget(frame);
    Lst->setObjectName(QStringLiteral("Lst"));
    Lst->setGeometry(twipsRect(150, 975, 4965, 1110));
    Lst->setFont(boxFont);
    Lst->setSelectionMode(QAbstractItemView::SingleSelection);
    // Over the empty list, a line that says where schemes come from.
    lblNoScheme = label(frame, "lblNoScheme", QStringLiteral("还没有计时方案,请按“新增 N”新增一个。"),
                        twipsRect(225, 1050, 4815, 960));
    lblNoScheme->setAlignment(Qt::AlignCenter);
    lblNoScheme->setForegroundRole(QPalette::PlaceholderText);
    lblNoScheme->setAttribute(Qt::WA_TransparentForMouseEvents);
    const auto showHint = [this] { lblNoScheme->setVisible(Lst->count() == 0); };
    connect(Lst->model(), &QAbstractItemModel::rowsInserted, this, showHint);
    connect(Lst->model(), &QAbstractItemModel::rowsRemoved, this, showHint);
    cmdNew = new QPushButton(QStringLiteral("新增 &N"), frame);
    cmdNew->setObjectName(QStringLiteral("cmdNew"));
    cmdNew->setGeometry(twipsRect(5175, 975, 915, 465));
    cmdRemove = new QPushButton(QStringLiteral("移除 &M"), frame);
    cmdRemove->setObjectName(QStringLiteral("cmdRemove"));
    cmdRemove->setGeometry(twipsRect(5175, 1500, 915, 465));
    cmdRemove->setEnabled(false);
    // Its letter follows the text as the buttons' letters do; the box is widened by the letter's room.
    cheCalc = new QCheckBox(QStringLiteral("按下确定后开始计时。 &S"), frame);
    cheCalc->setObjectName(QStringLiteral("cheCalc"));
    cheCalc->setGeometry(twipsRect(150, 2250, 2640, 315));
    cheCalc->setChecked(true);

    cmdOK = DialogDesign::pictureButton(this, Artwork::okButtonPicture(), twipsRect(2925, 3375, 1440, 615), true);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel =
        DialogDesign::pictureButton(this, Artwork::cancelButtonPicture(), twipsRect(4875, 3375, 1440, 615), false);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    QWidget *const tabOrder[] = {cmdCancel, cmdOK, cheCalc, cmdRemove, cmdNew, txtTime, txtName, Lst};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(txtName, &QLineEdit::textChanged, this, &NewItemsDialog::doEnabled);
    connect(Lst, &QListWidget::itemSelectionChanged, this, &NewItemsDialog::Lst_Click);
    connect(cheCalc, &QCheckBox::clicked, this, [this] { txtName->setFocus(); });
    connect(cmdNew, &QPushButton::clicked, this, &NewItemsDialog::cmdNew_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &NewItemsDialog::cmdRemove_Click);
    connect(cmdOK, &QPushButton::clicked, this, &NewItemsDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void NewItemsDialog::Form_Load()
{
    for (int i = 1; i <= m_state.tariff.cFangAn.count(); ++i)
        Lst->addItem(m_state.tariff.cFangAn.item(i));
    if (Lst->count() > 0)
        Lst->setCurrentRow(0); // selects it, which enables "移除 &M" through Lst_Click
}

int NewItemsDialog::selectedLine() const
{
    const QList<QListWidgetItem *> selected = Lst->selectedItems();
    return selected.isEmpty() ? -1 : Lst->row(selected.first());
}

void NewItemsDialog::doEnabled()
{
    cmdOK->setEnabled(!txtName->text().isEmpty() && selectedLine() >= 0);
}

void NewItemsDialog::Lst_Click()
{
    // A list box here can also lose its selection (Ctrl+click); then there is nothing to remove.
    cmdRemove->setEnabled(selectedLine() >= 0);
    doEnabled();
}

void NewItemsDialog::cmdNew_Click()
{
    m_openSchemeDialog();
    // The scheme dialog appends at most one scheme, and only when it was confirmed. The choice
    // stays the operator's: the new line is not selected.
    const int schemes = m_state.tariff.cFangAn.count();
    if (Lst->count() != schemes && schemes > 0)
        Lst->addItem(m_state.tariff.cFangAn.last());
}

void NewItemsDialog::cmdRemove_Click()
{
    const int line = selectedLine();
    if (line < 0)
        return;
    // A scheme cannot be got back but by typing it again, and M sits beside N: ask, with 否 as
    // the default so that a second Enter keeps it.
    const QString asked =
        QStringLiteral("移除计时方案“%1”吗?\n已使用该方案的计时项不受影响。").arg(Lst->item(line)->text());
    if (m_prompter.msgBox(asked, Prompter::Buttons::YesNo, Prompter::Icon::Question, 2) != Prompter::Answer::Yes)
        return;
    m_state.tariff.cFangAn.remove(line + 1);
    delete Lst->takeItem(line);
    // The list would otherwise move the selection to a neighbour; the operator must choose anew.
    Lst->clearSelection();
    cmdRemove->setEnabled(false);
    doEnabled();
    if (m_schemesChanged)
        m_schemesChanged();
}

void NewItemsDialog::cmdOK_Click()
{
    const int line = selectedLine();
    if (line < 0 || txtName->text().isEmpty())
        return;
    NewItem item;
    item.name = txtName->text();
    item.scheme = Lst->item(line)->text();
    item.minutes = leadingNumber(txtTime->text());
    item.startNow = cheCalc->isChecked();
    // Minutes beyond any bill are a slip of the keyboard, and an item holding them could not be
    // brought back after a crash.
    if (std::abs(item.minutes) > ChecksummedLine::kMostMinutes) {
        m_prompter.msgBox(
            QStringLiteral("已用时间超出范围(最多 %1 分钟)。").arg(ChecksummedLine::kMostMinutes, 0, 'f', 0),
            Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
        txtTime->setFocus();
        return;
    }

    // The name is registered and the row and every per-item list appended in one step, so no tick
    // of the main window's clock can see half an item; a taken name changes nothing at all.
    if (m_state.add(item, m_clock.moment()) == 0) {
        m_prompter.msgBox(QStringLiteral("重复的计时项名称!"), Prompter::Buttons::Ok, Prompter::Icon::Critical);
        txtName->setFocus();
        return;
    }
    if (item.startNow)
        Q_EMIT startedOnAdding();
    txtName->clear();
    txtTime->clear();
    txtName->setFocus();
}

void NewItemsDialog::focusNameIfEmpty()
{
    if (txtName->text().isEmpty())
        txtName->setFocus();
}

void NewItemsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    focusNameIfEmpty();
}

void NewItemsDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Also when the dialog becomes active again after the scheme dialog or a message box.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        focusNameIfEmpty();
}

#include "MainToolbar.h"

#include "Artwork.h"
#include "ToolbarButton.h"

#include <QAction>
#include <QMenu>

namespace {
struct EntryDef {
    const char *id;
    const char16_t *text;
    bool enabled;
};
struct ButtonDef {
    int position;
    const char16_t *caption;
    // Each button was designed with two hints; the pointer tooltip is the second, fuller one,
    // and the help button, which has only the first, shows that.
    const char16_t *tooltip;
    int image;
    bool enabled;
    std::initializer_list<EntryDef> entries;
};

const ButtonDef kButtons[] = {
    {2, u"新增 &N", u"新增一个计时项目", 1, true, {}},
    {4, u"移除 &M", u"移除并终止所选项目计时", 2, false, {}},
    {6, u"查找 &F", u"查找计时项目", 11, true, {}},
    {8, u"开始 &S", u"开始或终止所有计时项目计时", 3, true,
     {{"S1", u"开始所选计时项计时 &S", false}, {"S2", u"终止所选项计时 &A", false}}},
    {10, u"预览 &V", u"打印预览", 4, true,
     {{"V1", u"所选计时项 &S", false}, {"V2", u"全部计时项 &A", true}}},
    {12, u"打印 &P", u"打印", 5, true, {{"P1", u"所选计时项 &S", false}, {"P2", u"全部计时项 &A", true}}},
    {14, u"方案 &A", u"计时结果方案", 6, true, {}},
    {16, u"风格 &R", u"查看方式", 7, true,
     {{"R1", u"大图标 &I", true}, {"R2", u"小图标 &S", true}, {"R3", u"列表 &L", true},
      {"R4", u"报表 &R", true}, {"R5", u"样式风格 &Y", true}, {"R6", u"色彩1 &1", true},
      {"R7", u"色彩2 &2", true}}},
    {18, u"历史 &T", u"历史数据", 9, true, {}},
    {20, u"帮助 &H", u"帮助", 10, true,
     {{"H1", u"主题 &T", true}, {"H2", u"索引 &I", true}, {"H3", u"关于 &A", true}}},
};
constexpr int kGapWidth = 8; // 2 mm at 96 dots per inch
} // namespace

MainToolbar::MainToolbar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("Tbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    // The buttons and gaps have their own widths; the toolbar adds nothing between them.
    setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"));
    setContentsMargins(0, 0, 0, 0);
    addSpacer(0); // position 1
    bool first = true;
    for (const ButtonDef &def : kButtons) {
        if (!first)
            addSpacer(kGapWidth); // positions 3 to 19
        first = false;
        auto *b = new ToolbarButton(def.position, QString::fromUtf16(def.caption), Artwork::toolbarIcon(def.image), this);
        b->setToolTip(QString::fromUtf16(def.tooltip));
        b->setEnabled(def.enabled);
        if (def.entries.size() > 0) {
            auto *menu = new QMenu(b);
            for (const EntryDef &e : def.entries) {
                QAction *a = menu->addAction(QString::fromUtf16(e.text));
                const QString id = QString::fromLatin1(e.id);
                a->setObjectName(id);
                a->setEnabled(e.enabled);
                m_entries.insert(id, a);
                connect(a, &QAction::triggered, this, [this, id] { Q_EMIT entryClicked(id); });
            }
            b->setMenu(menu);
            b->setPopupMode(QToolButton::MenuButtonPopup);
        }
        const int pos = def.position;
        connect(b, &QToolButton::clicked, this, [this, pos] { Q_EMIT buttonClicked(pos); });
        addWidget(b);
        m_buttons.insert(pos, b);
    }
}

void MainToolbar::addSpacer(int width)
{
    auto *gap = new QWidget(this);
    gap->setFixedWidth(width);
    addWidget(gap);
}

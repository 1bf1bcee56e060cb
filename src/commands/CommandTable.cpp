#include "commands/CommandTable.h"

#include <array>

namespace CommandTable {
namespace {

using enum Kind;

constexpr std::array<ButtonDef, ButtonCount> kButtons {{
    {Button::New, 2, u'N', u"新增 &N", u"新增一个计时项目", 1, Plain, true},
    {Button::Remove, 4, u'M', u"移除 &M", u"移除并终止所选项目计时", 2, Plain, false},
    {Button::Find, 6, u'F', u"查找 &F", u"查找计时项目", 11, Plain, true},
    {Button::Start, 8, u'S', u"开始 &S", u"开始或终止所有计时项目计时", 3, DropDown, true},
    {Button::Preview, 10, u'V', u"预览 &V", u"打印预览", 4, DropDown, true},
    {Button::Print, 12, u'P', u"打印 &P", u"打印", 5, DropDown, true},
    {Button::Scheme, 14, u'A', u"方案 &A", u"计时结果方案", 6, Plain, true},
    {Button::Style, 16, u'R', u"风格 &R", u"查看方式", 7, DropDown, true},
    {Button::History, 18, u'T', u"历史 &T", u"历史数据", 9, Plain, true},
    {Button::Help, 20, u'H', u"帮助 &H", u"帮助", 10, DropDown, true},
}};

constexpr std::array<EntryDef, EntryCount> kEntries {{
    {Entry::S1, Button::Start, "S1", u"开始所选计时项计时 &S", false},
    {Entry::S2, Button::Start, "S2", u"终止所选项计时 &A", false},
    {Entry::V1, Button::Preview, "V1", u"所选计时项 &S", false},
    {Entry::V2, Button::Preview, "V2", u"全部计时项 &A", true},
    {Entry::P1, Button::Print, "P1", u"所选计时项 &S", false},
    {Entry::P2, Button::Print, "P2", u"全部计时项 &A", true},
    {Entry::R1, Button::Style, "R1", u"大图标 &I", true},
    {Entry::R2, Button::Style, "R2", u"小图标 &S", true},
    {Entry::R3, Button::Style, "R3", u"列表 &L", true},
    {Entry::R4, Button::Style, "R4", u"报表 &R", true},
    {Entry::R5, Button::Style, "R5", u"样式风格 &Y", true},
    {Entry::R6, Button::Style, "R6", u"色彩1 &1", true},
    {Entry::R7, Button::Style, "R7", u"色彩2 &2", true},
    {Entry::H1, Button::Help, "H1", u"主题 &T", true},
    {Entry::H2, Button::Help, "H2", u"索引 &I", true},
    {Entry::H3, Button::Help, "H3", u"关于 &A", true},
}};

// The lookups index the tables by the enums, and a menu is a run of neighbouring entries: a
// table out of step with either fails to build instead of misplacing a command.
constexpr bool tablesInStep()
{
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        if (static_cast<std::size_t>(kButtons[i].button) != i || kButtons[i].position != int(2 * (i + 1)))
            return false;
        std::size_t entries = 0;
        for (const EntryDef &e : kEntries)
            entries += e.button == kButtons[i].button ? 1 : 0;
        if ((kButtons[i].kind == DropDown) != (entries > 0))
            return false;
    }
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        if (static_cast<std::size_t>(kEntries[i].entry) != i)
            return false;
        if (i > 0 && kEntries[i].button < kEntries[i - 1].button)
            return false;
    }
    return true;
}
static_assert(tablesInStep());

} // namespace

std::span<const ButtonDef> buttons()
{
    return kButtons;
}

std::span<const EntryDef> entries()
{
    return kEntries;
}

const ButtonDef &of(Button button)
{
    return kButtons[static_cast<std::size_t>(button)];
}

const EntryDef &of(Entry entry)
{
    return kEntries[static_cast<std::size_t>(entry)];
}

std::span<const EntryDef> entriesOf(Button button)
{
    std::size_t first = 0;
    while (first < kEntries.size() && kEntries[first].button != button)
        ++first;
    std::size_t last = first;
    while (last < kEntries.size() && kEntries[last].button == button)
        ++last;
    return std::span<const EntryDef>(kEntries).subspan(first, last - first);
}

QString caption(Button button)
{
    return QString::fromUtf16(of(button).caption);
}

QString hint(Button button)
{
    return QString::fromUtf16(of(button).hint);
}

QString id(Entry entry)
{
    return QString::fromLatin1(of(entry).id);
}

QString text(Entry entry)
{
    return QString::fromUtf16(of(entry).text);
}

std::optional<Button> forKey(QChar ch)
{
    const char16_t c = ch.unicode();
    for (const ButtonDef &b : kButtons) {
        if (c == b.letter || c == b.letter - u'A' + u'a')
            return b.button;
    }
    return std::nullopt;
}

} // namespace CommandTable

#pragma once
// The toolbar's ten command buttons and the sixteen entries of their menus, described in one place.

#include <QChar>
#include <QString>

#include <cstddef>
#include <optional>
#include <span>

// The command buttons, from the left of the toolbar.
enum class Button { New, Remove, Find, Start, Preview, Print, Scheme, Style, History, Help };

// The menu entries, named by their identifiers; each belongs to one drop-down button.
enum class Entry { S1, S2, V1, V2, P1, P2, R1, R2, R3, R4, R5, R6, R7, H1, H2, H3 };

namespace CommandTable {

enum class Kind { Plain, DropDown };

constexpr std::size_t ButtonCount = static_cast<std::size_t>(Button::Help) + 1;
constexpr std::size_t EntryCount = static_cast<std::size_t>(Entry::H3) + 1;

struct ButtonDef {
    Button button;
    int position; // on the toolbar, 2 to 20; the odd positions are gaps
    char16_t letter; // the key that presses it (either case), underlined in the caption
    const char16_t *caption; // "&" marks the letter
    // Each button was designed with two hints; the pointer tooltip is the second, fuller one,
    // and the help button, which has only the first, shows that.
    const char16_t *hint;
    int image; // toolbar image, 1 to 11
    Kind kind;
    bool enabled; // when the window opens
};

struct EntryDef {
    Entry entry;
    Button button; // the button whose menu holds it
    const char *id; // "S1" ... "H3"
    const char16_t *text;
    bool enabled; // when the window opens
};

// In toolbar order, and in menu order within each button.
std::span<const ButtonDef> buttons();
std::span<const EntryDef> entries();

const ButtonDef &of(Button button);
const EntryDef &of(Entry entry);
// The entries of a button's menu, in order; empty for a plain button.
std::span<const EntryDef> entriesOf(Button button);

QString caption(Button button);
QString hint(Button button);
QString id(Entry entry);
QString text(Entry entry);

// The button a typed character stands for: only the Latin letters themselves, in either case, so
// that no other character that case-maps to one of them (the long s upper-cases to S) presses a
// button.
std::optional<Button> forKey(QChar ch);

} // namespace CommandTable

// Status bar panels the commands and the window write, numbered from 1 as the operator sees them.
namespace StatusPanel {
constexpr int Hint = 1; // the keys' hint, or the items at their limits the operator has not answered
inline constexpr char16_t kKeysHint[] = u"N 新增;F 查找;V 预览;A 方案;S 开始";
constexpr int Items = 3; // the items now in the list
constexpr int Added = 5; // the items added since start-up
} // namespace StatusPanel

#pragma once
// What the keys do in the section list and the problem list, as both desktop programs answer
// them: the row the keyboard is on moves, or its choice switches.
namespace ui::shared {

enum class ListKey { Up, Down, PageUp, PageDown, Home, End, Space, Other };

struct KeyAction {
    enum Kind {
        PassOn,   // not the list's key: the control's own handling gets it
        MoveTo,   // the keyboard's row becomes `row`
        Switch,   // the choice of `row` switches
        Swallow,  // taken, and nothing happens
    };
    Kind kind = PassOn;
    int row = 0;
};

namespace detail {
constexpr int Clamped(int row, int count) { return row < 0 ? 0 : row >= count ? count - 1 : row; }
}  // namespace detail

// The section list: Up, Down, Home and End move; Space ticks or unticks the row.
constexpr KeyAction SectionListKey(ListKey key, int row, int count) {
    if (count <= 0) return {};
    switch (key) {
    case ListKey::Up: return {KeyAction::MoveTo, detail::Clamped(row - 1, count)};
    case ListKey::Down: return {KeyAction::MoveTo, detail::Clamped(row + 1, count)};
    case ListKey::Home: return {KeyAction::MoveTo, 0};
    case ListKey::End: return {KeyAction::MoveTo, count - 1};
    case ListKey::Space: return {KeyAction::Switch, detail::Clamped(row, count)};
    default: return {};
    }
}

// The problem list, `page` rows showing at once: Page Up and Page Down move by a page too, and
// Space switches between Delete and Leave, except in the read-only repair log.
constexpr KeyAction ProblemListKey(ListKey key, int row, int count, int page, bool readOnly) {
    if (count <= 0) return {};
    if (page < 1) page = 1;
    switch (key) {
    case ListKey::PageUp: return {KeyAction::MoveTo, detail::Clamped(row - page, count)};
    case ListKey::PageDown: return {KeyAction::MoveTo, detail::Clamped(row + page, count)};
    case ListKey::Space:
        if (readOnly) return {KeyAction::Swallow, row};
        return {KeyAction::Switch, detail::Clamped(row, count)};
    default: return SectionListKey(key, row, count);
    }
}

}  // namespace ui::shared

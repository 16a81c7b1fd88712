// What the keys do in the two lists, as both desktop programs answer them.
#include <gtest/gtest.h>

#include "ui/shared/ListKeys.h"

namespace {

using ui::shared::KeyAction;
using ui::shared::ListKey;

TEST(ListKeys, KeysMoveWithinTheRowsAndSpaceSwitchesTheRowTheKeyboardIsOn) {
    enum List { Sections, Problems, RepairLog };
    const struct {
        List list;
        ListKey key;
        int row, count;
        KeyAction::Kind kind;
        int to;
    } cases[] = {
        {Sections, ListKey::Up, 0, 13, KeyAction::MoveTo, 0},
        {Sections, ListKey::Down, 12, 13, KeyAction::MoveTo, 12},
        {Sections, ListKey::Down, 3, 13, KeyAction::MoveTo, 4},
        {Sections, ListKey::End, 3, 15, KeyAction::MoveTo, 14},
        {Sections, ListKey::Home, 9, 15, KeyAction::MoveTo, 0},
        {Sections, ListKey::Space, 5, 13, KeyAction::Switch, 5},
        {Sections, ListKey::PageDown, 5, 13, KeyAction::PassOn, 0},  // the list scrolls
        {Sections, ListKey::Space, 0, 0, KeyAction::PassOn, 0},      // no rows
        {Problems, ListKey::PageDown, 2, 20, KeyAction::MoveTo, 6},  // four rows a page
        {Problems, ListKey::PageDown, 18, 20, KeyAction::MoveTo, 19},
        {Problems, ListKey::PageUp, 2, 20, KeyAction::MoveTo, 0},
        {Problems, ListKey::Up, 2, 20, KeyAction::MoveTo, 1},
        {Problems, ListKey::Space, 7, 20, KeyAction::Switch, 7},
        {Problems, ListKey::Other, 7, 20, KeyAction::PassOn, 0},
        {RepairLog, ListKey::Space, 1, 3, KeyAction::Swallow, 1},  // read-only rows
        {RepairLog, ListKey::Down, 1, 3, KeyAction::MoveTo, 2},
    };
    for (const auto& c : cases) {
        const KeyAction action =
            c.list == Sections
                ? ui::shared::SectionListKey(c.key, c.row, c.count)
                : ui::shared::ProblemListKey(c.key, c.row, c.count, 4, c.list == RepairLog);
        EXPECT_EQ(action.kind, c.kind) << c.list << " key " << static_cast<int>(c.key);
        if (action.kind != KeyAction::PassOn) {
            EXPECT_EQ(action.row, c.to) << c.list;
        }
    }
}

}  // namespace

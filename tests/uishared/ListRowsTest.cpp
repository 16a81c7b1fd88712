// The list rows' click areas, as both desktop programs answer them.
#include <gtest/gtest.h>

#include "ui/shared/ListRows.h"

namespace {

using ui::shared::RowChoice;

TEST(ListRows, SectionBoxIsHitOnItsPixelsAndTheRowOneBeyond) {
    const ui::shared::Box cell{100, 50, 142, 76};
    const struct {
        int x, y;
        bool hit;
    } cases[] = {
        {118, 58, true},  {117, 58, false},  // the box's left edge, and one left of it
        {131, 71, true},  {132, 58, false},  // the last pixels counted
        {118, 57, false}, {125, 72, false},  // above the box, one row too low
        {100, 50, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::shared::HitsSectionBox(cell, c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST(ListRows, OnlyTheChoiceLineChoosesAndTheGapBetweenTheChoicesDoesNot) {
    const int left = 50, top = 68;
    const struct {
        int dx, dy;
        RowChoice choice;
    } cases[] = {
        {71, 40, RowChoice::Delete}, {70, 40, RowChoice::None},   {199, 37, RowChoice::Delete},
        {200, 40, RowChoice::None},  {205, 40, RowChoice::None},  {210, 40, RowChoice::None},
        {211, 55, RowChoice::Leave}, {419, 40, RowChoice::Leave}, {420, 40, RowChoice::None},
        {71, 10, RowChoice::None},   {71, 36, RowChoice::None},   {71, 56, RowChoice::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::shared::ChoiceAt(left, top, left + c.dx, top + c.dy), c.choice)
            << c.dx << "," << c.dy;
}

}  // namespace

// Where the main view's controls stand and which screen shows them, without a display.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ui/shared/ViewLayout.h"

namespace {

using engine::Screen;
using ui::shared::Part;
using ui::shared::Place;
using ui::shared::RowPart;

// The progress block is centred, the half truncated toward zero; the rest keeps to the left
// edge or to the right and bottom edges.
TEST(ViewLayout, CentresTheProgressBlockAndAnchorsTheRestToTheEdges) {
    for (auto [width, x] : {std::pair{593, 198}, {793, 298}, {594, 198}, {595, 199}, {500, 152}}) {
        const ui::shared::ViewLayout layout(width, 500);
        EXPECT_EQ(layout.At(Part::StatusBand), (Place{x, 105, 360, 25})) << width;
        EXPECT_EQ(layout.At(Part::CancelScanButton), (Place{x + 273, 340, 87, 29})) << width;
        EXPECT_EQ(layout.AtRow(RowPart::Name, 13), (Place{x + 230, 173 + 132, 120, 22})) << width;
        EXPECT_EQ(layout.At(Part::ScanButton), (Place{width - 122, 450, 87, 29})) << width;
        EXPECT_EQ(layout.At(Part::SectionList), (Place{198, 102, width - 233, 343})) << width;
    }
}

TEST(ViewLayout, EachScreenShowsItsOwnControlsAndEveryScreenTheFrameControls) {
    const struct {
        Part part;
        Screen screen;
    } cases[] = {
        {Part::StepOption, Screen::None},         {Part::HelpButton, Screen::None},
        {Part::SectionList, Screen::Choose},      {Part::ScanButton, Screen::Choose},
        {Part::StatusBand, Screen::Scanning},     {Part::StatusLabel, Screen::Scanning},
        {Part::ProblemList, Screen::Results},     {Part::SectionMarker, Screen::Results},
        {Part::RepairLogList, Screen::RepairLog}, {Part::ReturnButton, Screen::RepairLog},
    };
    for (const auto& c : cases) {
        for (Screen screen : {Screen::Choose, Screen::Scanning, Screen::Results, Screen::RepairLog})
            EXPECT_EQ(ui::shared::ShownOn(c.part, screen),
                      c.screen == Screen::None || c.screen == screen)
                << static_cast<int>(c.part) << " on " << static_cast<int>(screen);
    }
    EXPECT_TRUE(ui::shared::ShownOn(RowPart::Counter, Screen::Scanning));
    EXPECT_FALSE(ui::shared::ShownOn(RowPart::Name, Screen::Results));
    EXPECT_TRUE(ui::shared::ShownOn(RowPart::SectionLink, Screen::Results));
    EXPECT_FALSE(ui::shared::ShownOn(RowPart::CountLink, Screen::Choose));
}

// Every control is visited once, the ones to hide before the ones to show, and the marker is
// placed beside its row.
TEST(ViewLayout, EachControlIsShownOrHiddenOnceTheHiddenFirst) {
    std::vector<bool> order;
    int parts = 0, rows = 0;
    ui::shared::ShowEach(
        Screen::Results,
        [&](Part part, bool shown) {
            ++parts;
            order.push_back(shown);
            EXPECT_EQ(shown, ui::shared::ShownOn(part, Screen::Results));
        },
        [&](RowPart part, int, bool shown) {
            ++rows;
            order.push_back(shown);
            EXPECT_EQ(shown, ui::shared::ShownOn(part, Screen::Results));
        });
    EXPECT_EQ(parts, ui::shared::kPartCount);
    EXPECT_EQ(rows, 4 * engine::kSectionCount);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));

    Place marker;
    ui::shared::PlaceEach(
        640, 500, 13,
        [&marker](Part part, Place at) {
            if (part == Part::SectionMarker) marker = at;
        },
        [](RowPart, int, Place) {});
    EXPECT_EQ(marker, (Place{363, 375, 8, 15}));
}

}  // namespace

#include "ui/shared/ViewLayout.h"

namespace ui::shared {
namespace {

constexpr int kRows = engine::kSectionCount;
// The scan progress screen's counters stand in two columns, the first one the longer.
constexpr int kPerColumn = (kRows + 1) / 2;

// The top of a result screen row: one row per section, 20 pixels apart.
constexpr int ResultRowTop(int row) { return 115 + 20 * row; }

// The step labels' tops; the step marker stands beside them.
constexpr std::array<int, 3> kStepTops = {90, 125, 160};

}  // namespace

engine::Screen ScreenOf(Part part) {
    using S = engine::Screen;
    if (part <= Part::HelpButton) return S::None;
    if (part <= Part::ScanButton) return S::Choose;
    if (part <= Part::StatusLabel) return S::Scanning;
    if (part <= Part::SectionMarker) return S::Results;
    return S::RepairLog;
}

engine::Screen ScreenOf(RowPart part) {
    return part == RowPart::Counter || part == RowPart::Name ? engine::Screen::Scanning
                                                             : engine::Screen::Results;
}

bool ShownOn(Part part, engine::Screen screen) {
    const engine::Screen owner = ScreenOf(part);
    return owner == engine::Screen::None || owner == screen;
}

bool ShownOn(RowPart part, engine::Screen screen) { return ScreenOf(part) == screen; }

ViewLayout::ViewLayout(int cx, int cy) : cx_(cx), cy_(cy) {
    // Truncated toward zero, also when the view is narrower than the block.
    const int d = (cx - kProgressBlockWidth) / 2;
    auto set = [this](Part part, Place place) { parts_[static_cast<std::size_t>(part)] = place; };

    set(Part::StepOption, {20, kStepTops[0], 132, 20});
    set(Part::StepScan, {20, kStepTops[1], 132, 20});
    set(Part::StepRepair, {20, kStepTops[2], 132, 20});
    set(Part::Caption, {198, 70, cx - 233, 20});
    set(Part::OptionButton, {50, 6, 43, 38});
    set(Part::HelpButton, {115, 6, 43, 38});

    set(Part::SectionList, {198, 102, cx - 233, cy - 157});
    set(Part::SelectAllBox, {210, cy - 49, 13, 13});
    set(Part::SelectAllLabel, {230, cy - 50, 100, 17});
    set(Part::ScanButton, {cx - 122, cy - 50, 87, 29});

    set(Part::StatusBand, {d + 198, 105, 360, 25});
    set(Part::ProgressPanel, {d + 198, 145, 360, 190});
    set(Part::FoundCount, {d + 203, 147, 350, 20});
    set(Part::PauseButton, {d + 374, 340, 87, 29});
    set(Part::CancelScanButton, {d + 471, 340, 87, 29});
    set(Part::StatusArrow, {d + 203, 111, 14, 12});
    set(Part::StatusLabel, {d + 222, 109, 330, 20});

    set(Part::ProblemList, {375, 105, cx - 414, cy - 163});
    set(Part::RepairAllButton, {cx - 219, cy - 50, 87, 29});
    set(Part::CancelResultButton, {cx - 122, cy - 50, 87, 29});
    set(Part::ResultCount, {198, cy - 45, 150, 20});
    set(Part::SectionMarker, SectionMarkerPlace(0));

    set(Part::RepairLogList, {200, 104, cx - 237, cy - 161});
    set(Part::ReturnButton, {cx - 122, cy - 50, 87, 29});
}

Place ViewLayout::AtRow(RowPart part, int row) const {
    const int d = (cx_ - kProgressBlockWidth) / 2;
    const int column = row < kPerColumn ? 0 : 180;
    const int y = 173 + 22 * (row % kPerColumn);
    switch (part) {
    // Room for six digits: the counters grow to the left, toward the panel's edge.
    case RowPart::Counter: return {d + 204 + column, y, 40, 22};
    case RowPart::Name: return {d + 248 + column, y, 120, 22};
    // Five-digit counts beside the longest name: the names keep 120 pixels.
    case RowPart::CountLink: return {317, ResultRowTop(row), 43, 18};
    case RowPart::SectionLink: return {195, ResultRowTop(row), 120, 18};
    }
    return {};
}

Place SectionMarkerPlace(int row) { return {363, ResultRowTop(row), 8, 15}; }

void PlaceEach(int cx, int cy, int markerRow, const std::function<void(Part, Place)>& part,
               const std::function<void(RowPart, int, Place)>& row) {
    const ViewLayout layout(cx, cy);
    for (int i = 0; i < kPartCount; ++i) {
        const auto each = static_cast<Part>(i);
        part(each, each == Part::SectionMarker ? SectionMarkerPlace(markerRow) : layout.At(each));
    }
    for (RowPart each : kRowParts)
        for (int r = 0; r < kRows; ++r) row(each, r, layout.AtRow(each, r));
}

void ShowEach(engine::Screen screen, const std::function<void(Part, bool)>& part,
              const std::function<void(RowPart, int, bool)>& row) {
    for (bool shown : {false, true}) {
        for (int i = 0; i < kPartCount; ++i)
            if (ShownOn(static_cast<Part>(i), screen) == shown) part(static_cast<Part>(i), shown);
        for (RowPart each : kRowParts)
            if (ShownOn(each, screen) == shown)
                for (int r = 0; r < kRows; ++r) row(each, r, shown);
    }
}

Backdrop BackdropOf(int cx, int cy, int step) {
    Backdrop backdrop{};
    backdrop.body = {0, 50, 2000, 2000};
    backdrop.header = {0, 0, 2000, 50};
    backdrop.outline = {{{173, 60}, {cx - 10, 60}, {cx - 10, cy - 15}, {173, cy - 15}, {173, 60}}};
    backdrop.ruleFrom = {198, 92};
    backdrop.ruleTo = {cx - 35, 92};
    backdrop.title = {cx - 160, 10};
    backdrop.sidePicture = {0, cy - 200};
    backdrop.stepMarked = step >= 1 && step <= 3;
    const int marker = backdrop.stepMarked ? step : 1;
    backdrop.stepMarker = {162, kStepTops[static_cast<std::size_t>(marker - 1)]};
    backdrop.f1Hint = {40, cy - 60};
    backdrop.lightPanel = step >= 3;
    backdrop.panel = {198, 102, cx - 35, cy - 55};
    return backdrop;
}

}  // namespace ui::shared

#pragma once
// The main view's places as both desktop programs lay it out: where each control stands for a
// client area of a given size, which screen shows it, and what the view paints around the
// controls (the header band, the content area's outline, the side picture, the step marker).
// Everything is anchored to the left edge or to the right and bottom edges, except the scan
// progress block, which is centred.
#include <array>
#include <functional>

#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "ui/shared/Colours.h"
#include "ui/shared/ListRows.h"

namespace ui::shared {

// A control's place: x, y, width and height in the view's client pixels.
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Place&) const = default;
};

struct Point {
    int x = 0, y = 0;
};

// The controls that stand once in the view.
enum class Part {
    // Shown on every screen.
    StepOption,
    StepScan,
    StepRepair,
    Caption,
    OptionButton,
    HelpButton,
    // Section choice.
    SectionList,
    SelectAllBox,
    SelectAllLabel,
    ScanButton,
    // Scan progress.
    StatusBand,
    ProgressPanel,
    FoundCount,
    PauseButton,
    CancelScanButton,
    StatusArrow,
    StatusLabel,
    // Results.
    ProblemList,
    RepairAllButton,
    CancelResultButton,
    ResultCount,
    SectionMarker,
    // Repair log.
    RepairLogList,
    ReturnButton,
    Count
};
inline constexpr int kPartCount = static_cast<int>(Part::Count);

// The controls that stand once per section row: the scan progress screen's counter and name,
// the result screen's count and section link.
enum class RowPart { Counter, Name, CountLink, SectionLink };
inline constexpr RowPart kRowParts[] = {RowPart::Counter, RowPart::Name, RowPart::CountLink,
                                        RowPart::SectionLink};

// The screen that shows a part; Screen::None for the frame controls, which every screen shows.
engine::Screen ScreenOf(Part part);
engine::Screen ScreenOf(RowPart part);
// Whether `screen` shows the part.
bool ShownOn(Part part, engine::Screen screen);
bool ShownOn(RowPart part, engine::Screen screen);

// Width of the scan progress block, which is centred in the content area.
inline constexpr int kProgressBlockWidth = 593;

// Where every control stands in a client area of cx x cy.
class ViewLayout {
public:
    ViewLayout(int cx, int cy);
    Place At(Part part) const { return parts_[static_cast<std::size_t>(part)]; }
    Place AtRow(RowPart part, int row) const;

private:
    std::array<Place, kPartCount> parts_{};
    int cx_, cy_;
};

// The section marker beside the result screen's row (from 0) whose problems the list shows.
Place SectionMarkerPlace(int row);

// Hands every part and every row's part the place a client area of cx x cy gives it (the
// section marker beside `markerRow`); hidden controls are placed too, so that a screen shows
// them where they belong.
void PlaceEach(int cx, int cy, int markerRow, const std::function<void(Part, Place)>& part,
               const std::function<void(RowPart, int row, Place)>& row);
// Hands every part and every row's part whether `screen` shows it, the hidden ones first: the
// keyboard never moves onto a control that is about to hide.
void ShowEach(engine::Screen screen, const std::function<void(Part, bool shown)>& part,
              const std::function<void(RowPart, int row, bool shown)>& row);

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlue{44, 109, 175};       // the header band, the outline, the rule
inline constexpr Rgb kLight{223, 234, 245};     // the pale panel behind screens 3 and 4
inline constexpr Rgb kStaticText{50, 50, 50};   // the static labels' text
inline constexpr Rgb kGreyText{128, 128, 128};  // a result row without problems
inline constexpr Rgb kBlackText{0, 0, 0};       // a result row with problems

// The view's fonts, as a Windows font of this positive height, weight and average width.
struct FontSpec {
    int height, weight, averageWidth;
};
inline constexpr FontSpec kLargeFont{22, 400, 8};   // the header's title
inline constexpr FontSpec kSmallFont{15, 400, 5};   // labels, rows, the F1 hint
inline constexpr FontSpec kBoldFont{17, 700, 7};    // the step labels and the caption
inline constexpr FontSpec kSystemFont{16, 700, 7};  // labels given no font of their own

// What the view paints under its controls for a client area of cx x cy at step 1 to 3.
// Boxes exclude their right and bottom edges, as the GDI fills them.
struct Backdrop {
    Box header;                    // blue
    Box body;                      // white
    std::array<Point, 5> outline;  // the content area's frame, in the blue pen
    Point ruleFrom, ruleTo;        // the line under the caption
    Point title;                   // the header's title, top left of its text (large font)
    Point sidePicture;             // 170 x 195, in the lower left corner
    bool stepMarked;               // whether the step is one of the three
    Point stepMarker;              // beside the current step's label
    Point f1Hint;                  // top left of its text (small font)
    bool lightPanel;               // from step 3 on, behind the result and repair log screens
    Box panel;
};
Backdrop BackdropOf(int cx, int cy, int step);

}  // namespace ui::shared

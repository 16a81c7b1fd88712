// The main view's places and painting, as the shared layout gives them.
#include <string>

#include "ui/res/Strings.h"
#include "ui/win32/CDrennowView.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Colours.h"
#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

using ui::shared::Part;
using ui::shared::RowPart;
using OwnedPen = Owned<HPEN, DeleteGdiObject>;

void Move(HWND control, const ui::shared::Place& place) {
    if (control) ::MoveWindow(control, place.x, place.y, place.width, place.height, TRUE);
}

void Fill(HDC dc, const ui::shared::Box& box, COLORREF colour) {
    const RECT rect{box.left, box.top, box.right, box.bottom};
    OwnedBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

void Blit(HDC dc, HBITMAP bitmap, ui::shared::Point at) {
    OwnedMemoryDc memory(::CreateCompatibleDC(dc));
    const SIZE size = BitmapSize(bitmap);
    Selected selected(memory.get(), bitmap);
    ::BitBlt(dc, at.x, at.y, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

void Write(HDC dc, ui::shared::Point at, const char* text) {
    const std::wstring wide = Wide(text);
    ::TextOutW(dc, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace

void CDrennowView::Layout(int cx, int cy) {
    ui::shared::PlaceEach(
        cx, cy, logic_ ? logic_->MarkerRow() : 0,
        [this](Part part, ui::shared::Place at) { Move(PartWindow(part), at); },
        [this](RowPart part, int row, ui::shared::Place at) { Move(RowWindow(part, row), at); });
}

// Into a bitmap of the client area, copied to the screen in one go: the header band, the
// side picture and the frame lines never flicker.
void CDrennowView::Paint() {
    Painting painting(window_);
    RECT client{};
    ::GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    OwnedMemoryDc memory(::CreateCompatibleDC(painting.dc()));
    OwnedBitmap surface(::CreateCompatibleBitmap(painting.dc(), client.right, client.bottom));
    Selected selected(memory.get(), surface.get());
    PaintBackdrop(memory.get(), client.right, client.bottom);
    ::BitBlt(painting.dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void CDrennowView::PaintBackdropUnder(HWND control, HDC dc) const {
    RECT client{};
    ::GetClientRect(window_, &client);
    POINT origin{0, 0};
    ::MapWindowPoints(control, window_, &origin, 1);
    POINT previous{};
    ::SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    PaintBackdrop(dc, client.right, client.bottom);
    ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void CDrennowView::PaintBackdrop(HDC dc, int cx, int cy) const {
    const ui::shared::Backdrop backdrop = ui::shared::BackdropOf(cx, cy, step_);
    Fill(dc, backdrop.body, ColourOf(ui::shared::kWhite));
    Fill(dc, backdrop.header, ColourOf(ui::shared::kBlue));

    OwnedPen blue(::CreatePen(PS_SOLID, 1, ColourOf(ui::shared::kBlue)));
    {
        Selected pen(dc, blue.get());
        POINT outline[5];
        for (std::size_t i = 0; i < backdrop.outline.size(); ++i)
            outline[i] = {backdrop.outline[i].x, backdrop.outline[i].y};
        ::Polyline(dc, outline, 5);
        ::MoveToEx(dc, backdrop.ruleFrom.x, backdrop.ruleFrom.y, nullptr);
        ::LineTo(dc, backdrop.ruleTo.x, backdrop.ruleTo.y);
    }

    ::SetBkMode(dc, TRANSPARENT);
    {
        Selected font(dc, largeFont_.get());
        ::SetTextColor(dc, ColourOf(ui::shared::kWhite));
        Write(dc, backdrop.title, text::kHeaderTitle);
    }
    if (sidePicture_) {
        Blit(dc, sidePicture_.get(), backdrop.sidePicture);
        if (backdrop.stepMarked && stepMarker_) Blit(dc, stepMarker_.get(), backdrop.stepMarker);
    }
    {
        Selected font(dc, smallFont_.get());
        ::SetTextColor(dc, ColourOf(ui::shared::kBlackText));
        Write(dc, backdrop.f1Hint, text::kF1Hint);
    }
    if (backdrop.lightPanel) Fill(dc, backdrop.panel, ColourOf(ui::shared::kLight));
}

}  // namespace ui::win32

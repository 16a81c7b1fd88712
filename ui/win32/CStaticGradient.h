#pragma once
// A caption label painted on a horizontal colour gradient.
#include "ui/win32/Handles.h"
#include "ui/win32/Subclassed.h"

namespace ui::win32 {

class CStaticGradient final : public Subclassed {
public:
    enum Alignment { kLeft = 0, kCentre = 1, kRight = 2 };

    explicit CStaticGradient(HWND label);

    int margin = 10;  // pixels between the edge and left- or right-aligned text
    COLORREF startColour;
    COLORREF endColour;
    COLORREF textColour;
    int alignment = kLeft;  // any value other than kLeft and kCentre aligns right

    // Whether msimg32's GradientFill is there (else the gradient is painted in strips).
    bool HasGradientRoutine() const { return gradient_ != nullptr; }

private:
    using GradientFillRoutine = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();
    void PaintStrips(HDC dc, const RECT& area) const;

    OwnedModule library_;
    GradientFillRoutine gradient_ = nullptr;
};

}  // namespace ui::win32

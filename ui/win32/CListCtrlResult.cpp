#include "ui/win32/CListCtrlResult.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/res/ResourceIds.h"
#include "ui/shared/ListKeys.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

using namespace shared::result_row;

constexpr UINT_PTR kToolTipTimer = 0x7431;
constexpr UINT_PTR kToolTipId = 1;
// The pictures a row shows, in the order of pictures_.
constexpr std::array<int, 4> kPictureIds = {res::kBmpBoxTicked, res::kBmpBoxEmpty,
                                            res::kBmpGreenTick, res::kBmpRedCross};

COLORREF Colour(shared::Rgb rgb) {
    return RGB(static_cast<BYTE>(rgb.red), static_cast<BYTE>(rgb.green),
               static_cast<BYTE>(rgb.blue));
}

// A row-height image list: the list-view makes its rows as tall as its pictures.
OwnedImageList RowHeightImages(int height) {
    return OwnedImageList(::ImageList_Create(1, std::max(1, height), ILC_COLOR24, 1, 1));
}

}  // namespace

CListCtrlResult::~CListCtrlResult() {
    if (toolTip_ && ::IsWindow(toolTip_)) ::DestroyWindow(toolTip_);
    list_.Destroy();
}

bool CListCtrlResult::Create(HWND parent, int id) {
    // Owner data: the list-view keeps the row count; the rows' texts stay in rows_.
    if (!list_.Create(
            parent, id,
            LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHAREIMAGELISTS,
            [this](UINT message, WPARAM wParam, LPARAM lParam) {
                return Handle(message, wParam, lParam);
            }))
        return false;
    font_.Reset(::CreateFontW(15, 5, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
    list_.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (std::size_t i = 0; i < kPictureIds.size(); ++i) pictures_[i] = LoadPicture(kPictureIds[i]);
    const struct {
        int width;
        const wchar_t* heading;
    } columns[] = {
        {kPictureColumn, L"ICON"}, {kChoiceRight, L"Detail"}, {0, L"Detail"}, {0, L"Detail"}};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<wchar_t*>(columns[i].heading);
        column.iSubItem = i;
        list_.Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    // Rows as tall as the row-height pictures, and a pixel of the list's own where it adds
    // one: measured on a row and taken off the pictures.
    rowHeight_ = RowHeightImages(kHeight);
    list_.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowHeight_.get()));
    list_.Send(LVM_SETITEMCOUNT, 1, LVSICF_NOINVALIDATEALL);
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (list_.Send(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds))) {
        const int added = bounds.bottom - bounds.top - kHeight;
        if (added != 0) {
            list_.Send(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
            rowHeight_ = RowHeightImages(kHeight - added);
            list_.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowHeight_.get()));
        }
    }
    list_.Send(LVM_SETITEMCOUNT, 0, 0);
    CreateToolTip();
    return true;
}

void CListCtrlResult::Repaint() {
    // A null window would stand for every window.
    if (Window()) ::InvalidateRect(Window(), nullptr, FALSE);
}

void CListCtrlResult::SetRepairLogMode(bool on) {
    repairLogMode_ = on;
    HideToolTip();
    Repaint();
}

void CListCtrlResult::SetMarkRepaired(bool on) {
    markRepaired_ = on;
    Repaint();
}

void CListCtrlResult::DeleteAllItems() {
    rows_.clear();
    focusRow_ = 0;
    HideToolTip();
    list_.Send(LVM_SETITEMCOUNT, 0, 0);
    Repaint();
}

void CListCtrlResult::Fill(engine::ProblemList* source) {
    source_ = source;
    rows_ = shared::ProblemRowsOf(source);
    focusRow_ = 0;
    HideToolTip();
    // The column reaches the widest text: the list scrolls across only where it is narrower.
    int widest = 0;
    if (HDC dc = ::GetDC(Window())) {
        {
            Selected font(dc, font_.get());
            for (const shared::ProblemRow& row : rows_) {
                for (const std::string* text : {&row.key, &row.value}) {
                    const std::wstring wide = Wide(text->c_str());
                    SIZE size{};
                    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
                    widest = std::max(widest, static_cast<int>(size.cx));
                }
            }
        }
        ::ReleaseDC(Window(), dc);
    }
    list_.Send(LVM_SETCOLUMNWIDTH, 1, shared::ContentWidth(widest) - kPictureColumn);
    list_.Send(LVM_SETITEMCOUNT, rows_.size(), 0);
    SetTopRow(0);
    Repaint();
}

const std::string& CListCtrlResult::ColumnText(int row, int column) const {
    return shared::ColumnText(rows_, row, column);
}

int CListCtrlResult::TopRow() const { return static_cast<int>(list_.Send(LVM_GETTOPINDEX)); }

void CListCtrlResult::SetTopRow(int row) {
    const int rows = std::clamp(row, 0, std::max(0, RowCount() - 1)) - TopRow();
    // Report view scrolls by whole rows; the distance is in pixels.
    if (rows != 0) list_.Send(LVM_SCROLL, 0, rows * kHeight);
}

RECT CListCtrlResult::SubItemRect(int row) const {
    RECT bounds{};
    if (row < 0 || row >= RowCount()) return bounds;
    bounds.top = 1;
    bounds.left = LVIR_BOUNDS;
    if (!list_.Send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&bounds)))
        return RECT{};
    return bounds;
}

int CListCtrlResult::PageRows() const {
    return std::max(1, static_cast<int>(list_.Send(LVM_GETCOUNTPERPAGE)));
}

HBITMAP CListCtrlResult::Picture(int id) const {
    for (std::size_t i = 0; i < kPictureIds.size(); ++i)
        if (kPictureIds[i] == id) return pictures_[i].get();
    return nullptr;
}

void CListCtrlResult::Paint(HDC target) {
    RECT client{};
    ::GetClientRect(Window(), &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return;
    // Drawn off screen and copied at once: the rows never flicker while they scroll.
    OwnedMemoryDc canvas(::CreateCompatibleDC(target));
    OwnedBitmap surface(::CreateCompatibleBitmap(target, width, height));
    OwnedMemoryDc pictureDc(::CreateCompatibleDC(target));
    if (!canvas || !surface || !pictureDc) return;
    Selected selectedSurface(canvas.get(), surface.get());
    HDC dc = canvas.get();
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    const OwnedBrush stripe(::CreateSolidBrush(Colour(shared::kStripe)));
    Selected font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const shared::RowMarks marks = shared::MarksOf(repairLogMode_, markRepaired_);
    const bool focused = ::GetFocus() == Window();
    const int first = TopRow();
    const int last = std::min(RowCount(), first + PageRows() + 2);
    for (int row = first; row < last; ++row) {
        const RECT bounds = SubItemRect(row);
        if (bounds.top >= height) break;
        if (shared::Striped(row)) {
            const RECT band{0, bounds.top, std::max(width, static_cast<int>(bounds.right)),
                            bounds.top + kHeight};
            ::FillRect(dc, &band, stripe.get());
        }
        const int left = bounds.left;
        const int top = bounds.top + kTopInset;
        const shared::RowFace face = shared::FaceOf(rows_[static_cast<std::size_t>(row)], marks);
        for (const shared::RowText& text : face.texts) {
            const std::wstring wide = Wide(text.text);
            ::SetTextColor(dc, Colour(text.ink));
            ::TextOutW(dc, left + text.x, top + text.y, wide.c_str(),
                       static_cast<int>(wide.size()));
        }
        for (const shared::RowPicture& picture : face.pictures) {
            HBITMAP bitmap = Picture(picture.picture);
            if (!bitmap) continue;
            const SIZE size = BitmapSize(bitmap);
            Selected shown(pictureDc.get(), bitmap);
            ::BitBlt(dc, left + picture.x, top + picture.y, size.cx, size.cy, pictureDc.get(), 0, 0,
                     SRCCOPY);
        }
        if (row == focusRow_ && focused) {
            // The dotted focus rectangle around the row, as a list view draws it.
            const RECT focus{1, bounds.top + 1, width - 1, bounds.top + kHeight - 1};
            ::DrawFocusRect(dc, &focus);
        }
    }
    ::BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

int CListCtrlResult::RowAt(int x, int y) const {
    const int first = TopRow();
    const int last = std::min(RowCount(), first + PageRows() + 2);
    const POINT point{x, y};
    for (int row = first; row < last; ++row) {
        const RECT bounds = SubItemRect(row);
        if (::PtInRect(&bounds, point)) return row;
    }
    return -1;
}

void CListCtrlResult::InvalidateRow(int row) {
    const RECT bounds = SubItemRect(row);
    if (bounds.bottom <= bounds.top) return;
    RECT client{};
    ::GetClientRect(Window(), &client);
    const RECT band{0, bounds.top, std::max(client.right, bounds.right), bounds.bottom};
    ::InvalidateRect(Window(), &band, FALSE);
}

void CListCtrlResult::MoveFocus(int row) {
    if (row < 0 || row >= RowCount()) return;
    InvalidateRow(focusRow_);
    focusRow_ = row;
    list_.Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    InvalidateRow(focusRow_);
}

void CListCtrlResult::Choose(int row, bool repair) {
    if (shared::Choose(source_, rows_, row, repair)) InvalidateRow(row);
}

void CListCtrlResult::OnClick(int x, int y) {
    HideToolTip();
    ::SetFocus(Window());
    if (repairLogMode_) return;
    const POINT point{x, y};
    const int first = TopRow();
    const int last = std::min(RowCount(), first + PageRows() + 2);
    for (int row = first; row < last; ++row) {
        const RECT bounds = SubItemRect(row);
        if (!::PtInRect(&bounds, point)) continue;
        MoveFocus(row);
        const shared::RowChoice choice = shared::ChoiceAt(bounds.left, bounds.top, x, y);
        if (choice != shared::RowChoice::None) Choose(row, choice == shared::RowChoice::Delete);
        return;
    }
}

void CListCtrlResult::OnKey(WPARAM key) {
    using shared::KeyAction;
    HideToolTip();
    const KeyAction action =
        shared::ProblemListKey(ListKeyOf(key), focusRow_, RowCount(), PageRows(), repairLogMode_);
    switch (action.kind) {
    case KeyAction::MoveTo: MoveFocus(action.row); return;
    case KeyAction::Switch:
        Choose(action.row, !shared::Deletes(rows_[static_cast<std::size_t>(action.row)]));
        return;
    case KeyAction::Swallow: return;
    case KeyAction::PassOn: list_.ScrollAcross(key); return;
    }
}

void CListCtrlResult::ShowContextMenu(int row, POINT screen) {
    if (row < 0 || !ignoreHandler_) return;
    const std::vector<shared::IgnoreItem> items = shared::IgnoreMenu(source_, row, repairLogMode_);
    if (items.empty()) return;
    MoveFocus(row);
    OwnedMenu menu(::CreatePopupMenu());
    if (!menu) return;
    for (std::size_t i = 0; i < items.size(); ++i)
        ::AppendMenuW(menu.get(), items[i].enabled ? UINT{MF_STRING} : UINT{MF_STRING | MF_GRAYED},
                      i + 1, Wide(items[i].text).c_str());
    const auto chosen = static_cast<std::size_t>(
        ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x,
                         screen.y, 0, Window(), nullptr));
    // The handler may fill the list anew: nothing of the list is used after it.
    if (chosen >= 1 && chosen <= items.size()) ignoreHandler_(row, items[chosen - 1].wholeKey);
}

void CListCtrlResult::ShowKeyboardContextMenu() {
    // Beside the row's key, where the eye is.
    const int row = focusRow_ < RowCount() ? focusRow_ : -1;
    if (row < 0) return;
    list_.Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    const RECT bounds = SubItemRect(row);
    POINT point{bounds.left + kTextX, bounds.top + kMenuY};
    ::ClientToScreen(Window(), &point);
    ShowContextMenu(row, point);
}

void CListCtrlResult::CreateToolTip() {
    toolTip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    if (!toolTip_) return;
    // A tracked tip: the list says when it shows and with what, one row at a time.
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = Window();
    tool.uId = kToolTipId;
    tool.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Wide enough for a path a line; longer lines wrap.
    ::SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 640);
}

void CListCtrlResult::UpdateToolTip(int x, int y) {
    const int row = repairLogMode_ ? -1 : RowAt(x, y);
    if (row == toolTipRow_) return;
    HideToolTip();
    toolTipRow_ = row;
    if (row < 0 || !toolTip_) return;
    const auto delay = ::SendMessageW(toolTip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0);
    ::SetTimer(Window(), kToolTipTimer, static_cast<UINT>(delay > 0 ? delay : 500), nullptr);
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Window(), 0};
    ::TrackMouseEvent(&track);
}

void CListCtrlResult::ShowToolTip() {
    ::KillTimer(Window(), kToolTipTimer);
    toolTipText_ = WideFromUtf8(shared::RowToolTip(source_, toolTipRow_, repairLogMode_));
    if (toolTipText_.empty() || !toolTip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Window();
    tool.uId = kToolTipId;
    tool.lpszText = toolTipText_.data();
    ::SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SendMessageW(toolTip_, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x + 12, cursor.y + 20));
    ::SendMessageW(toolTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void CListCtrlResult::HideToolTip() {
    if (Window()) ::KillTimer(Window(), kToolTipTimer);
    toolTipRow_ = -1;
    if (!toolTip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Window();
    tool.uId = kToolTipId;
    ::SendMessageW(toolTip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

std::optional<LRESULT> CListCtrlResult::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (wParam) {
            Paint(reinterpret_cast<HDC>(wParam));
        } else {
            Painting painting(Window());
            Paint(painting.dc());
        }
        return 0;
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
        // Not passed on: the list-view would select the row and wait for a drag.
        OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    // A double-click is not a second choice.
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return 0;
    case WM_RBUTTONUP: {
        HideToolTip();
        ::SetFocus(Window());
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int row = repairLogMode_ ? -1 : RowAt(point.x, point.y);
        ::ClientToScreen(Window(), &point);
        ShowContextMenu(row, point);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_APPS) {
            ShowKeyboardContextMenu();
            return 0;
        }
        if (!IsListKey(wParam)) return std::nullopt;
        OnKey(wParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000)) {
            ShowKeyboardContextMenu();
            return 0;
        }
        return std::nullopt;
    // The menus come from the keys and the button above; typing would search the rows.
    case WM_CONTEXTMENU:
    case WM_CHAR: return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = list_.Pass(message, wParam, lParam);
        InvalidateRow(focusRow_);
        if (message == WM_KILLFOCUS) HideToolTip();
        return result;
    }
    case WM_MOUSEMOVE: UpdateToolTip(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case WM_MOUSELEAVE:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL: HideToolTip(); break;
    case WM_TIMER:
        if (wParam != kToolTipTimer) break;
        ShowToolTip();
        return 0;
    default: break;
    }
    return std::nullopt;
}

bool CListCtrlResult::OnNotify(NMHDR* header, LRESULT* result) {
    if (!header || header->hwndFrom != Window()) return false;
    switch (header->code) {
    case LVN_GETDISPINFOW: {
        // The texts for whoever asks the list-view (LVM_GETITEMTEXT); the painter reads rows_.
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = Wide(ColumnText(item.iItem, item.iSubItem).c_str());
            ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
        *result = 0;
        return true;
    }
    case LVN_ITEMCHANGING: {
        // Rows are never selected: the focus row is the list's own.
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED)) {
            *result = TRUE;
            return true;
        }
        return false;
    }
    case LVN_ODFINDITEMW: *result = -1; return true;
    default: return false;
    }
}

}  // namespace ui::win32

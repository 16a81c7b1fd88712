#include "ui/win32/ListView.h"

namespace ui::win32 {

void ListView::Destroy() {
    hook_.reset();
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
    window_ = nullptr;
}

bool ListView::Create(HWND parent, int id, DWORD style, MessageHook::Handler handler) {
    window_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_TABSTOP | style, 0, 0, 0, 0,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                ::GetModuleHandleW(nullptr), nullptr);
    if (!window_) return false;
    hook_ = std::make_unique<MessageHook>(window_, std::move(handler));
    return true;
}

bool ListView::ScrollAcross(WPARAM virtualKey) const {
    if (virtualKey != VK_LEFT && virtualKey != VK_RIGHT) return false;
    Send(WM_HSCROLL, virtualKey == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT, 0);
    return true;
}

bool IsListKey(WPARAM virtualKey) {
    return ListKeyOf(virtualKey) != shared::ListKey::Other || virtualKey == VK_LEFT ||
           virtualKey == VK_RIGHT;
}

shared::ListKey ListKeyOf(WPARAM virtualKey) {
    switch (virtualKey) {
    case VK_UP: return shared::ListKey::Up;
    case VK_DOWN: return shared::ListKey::Down;
    case VK_PRIOR: return shared::ListKey::PageUp;
    case VK_NEXT: return shared::ListKey::PageDown;
    case VK_HOME: return shared::ListKey::Home;
    case VK_END: return shared::ListKey::End;
    case VK_SPACE: return shared::ListKey::Space;
    default: return shared::ListKey::Other;
    }
}

}  // namespace ui::win32

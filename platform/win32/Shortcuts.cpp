// Shortcut targets through the shell's own link object: IShellLinkA loaded by IPersistFile,
// resolved without a window and without saving, then its raw path.
#include "platform/win32/Win32Services.h"

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

namespace platform::win32 {
namespace {

constexpr int kPathBuffer = 1000;

// Releases a COM interface when it goes.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface* operator->() const { return pointer_; }
    void** Out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace

std::string Win32Services::GetShortcutTarget(const char* path) {
    if (!comReady_) return {};
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.Out())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out())))
        return {};
    std::wstring wide = WidePath(path);
    if (wide.size() > kPathBuffer) return {};
    if (FAILED(file->Load(wide.c_str(), STGM_READ))) return {};
    // Resolve only fills in what the file leaves to it (a path from the ID list). It may
    // neither search for a moved target nor save the file, and a target it cannot find is
    // the dead shortcut being looked for, so its outcome does not end the attempt.
    link->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK);
    char target[kPathBuffer] = {};
    if (FAILED(link->GetPath(target, kPathBuffer, nullptr, SLGP_RAWPATH))) return {};
    target[kPathBuffer - 1] = '\0';
    return target;
}

}  // namespace platform::win32

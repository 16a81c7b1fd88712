#pragma once
// The registry's two views on a 64-bit machine: 32-bit programs keep their part of
// HKLM\SOFTWARE under SOFTWARE\Wow6432Node and their COM classes under
// Classes\Wow6432Node; keys both kinds share are links from there to the 64-bit key.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Services.h"

namespace engine {

// An open key (none: 0), closed when it goes or is replaced.
class OpenKey {
public:
    explicit OpenKey(platform::Services& services, platform::HKEY key = 0)
        : services_(services), key_(key) {}
    ~OpenKey() { Reset(0); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    platform::HKEY get() const { return key_; }
    void Reset(platform::HKEY key) {
        if (key_) services_.RegCloseKey(key_);
        key_ = key;
    }

private:
    platform::Services& services_;
    platform::HKEY key_;
};

// True when a registry path passes through a "Wow6432Node" key: what a 32-bit program
// stored through its own view of the registry.
bool IsWow64KeyPath(std::string_view keyPath);

// True when the subkey `name` of the open `parent` is a link key (it holds the link's
// REG_LINK value "SymbolicLinkValue"), so opening it would show another key.
bool IsLinkKey(platform::Services& services, platform::HKEY parent, const platform::WCHAR* name);

// A walk's start keys below `root`, each followed by its 32-bit counterpart: HKLM's
// "SOFTWARE\X" by "SOFTWARE\Wow6432Node\X", HKCR's "CLSID" by "Wow6432Node\CLSID". A
// counterpart is added only when it exists, no key of its own path is a link (it would show
// a key the walk reaches anyway) and no start key already holds it.
std::vector<std::string> StartKeysWithCounterparts(platform::Services& services,
                                                   platform::HKEY root,
                                                   std::span<const char* const> startKeys);

}  // namespace engine

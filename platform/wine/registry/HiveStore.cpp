#include "platform/wine/registry/HiveStore.h"

#include <cstring>

namespace platform::wine::registry {
namespace {

constexpr std::size_t kBlockSize = 256 * 1024;

}  // namespace

std::u16string_view HiveStore::Name(std::u16string_view name) {
    auto it = names_.find(name);
    if (it == names_.end()) it = names_.emplace(name).first;
    return *it;
}

std::string_view HiveStore::Bytes(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return std::string_view("", 0);
    char* at = nullptr;
    if (size > kBlockSize / 4) {
        // A large piece gets a block of its own, so the shared block's rest is not wasted.
        large_.push_back(std::make_unique<char[]>(size));
        at = large_.back().get();
    } else {
        if (size > left_) {
            blocks_.push_back(std::make_unique<char[]>(kBlockSize));
            left_ = kBlockSize;
        }
        at = blocks_.back().get() + (kBlockSize - left_);
        left_ -= size;
    }
    std::memcpy(at, data, size);
    return {at, size};
}

}  // namespace platform::wine::registry

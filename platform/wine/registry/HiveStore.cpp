#include "platform/wine/registry/HiveStore.h"

#include <algorithm>
#include <cstring>

#include "platform/wine/registry/HiveModel.h"

namespace platform::wine::registry {
namespace {

constexpr std::size_t kBlockSize = 256 * 1024;
constexpr std::size_t kKeysPerBlock = 1024;
constexpr std::size_t kTextBlockUnits = 64 * 1024;

}  // namespace

HiveStore::HiveStore() = default;
HiveStore::~HiveStore() = default;

Key& HiveStore::NewKey(std::u16string_view name) {
    if (keysLeft_ == 0) {
        keys_.push_back(std::make_unique<Key[]>(kKeysPerBlock));
        keysLeft_ = kKeysPerBlock;
    }
    Key& key = keys_.back()[kKeysPerBlock - keysLeft_--];
    key.name = Text(name);
    return key;
}

std::u16string_view HiveStore::Text(std::u16string_view text) {
    if (text.empty()) return {};
    char16_t* at = nullptr;
    if (text.size() > kTextBlockUnits / 4) {
        largeTexts_.push_back(std::make_unique<char16_t[]>(text.size()));
        at = largeTexts_.back().get();
    } else {
        if (text.size() > textLeft_) {
            texts_.push_back(std::make_unique<char16_t[]>(kTextBlockUnits));
            textLeft_ = kTextBlockUnits;
        }
        at = texts_.back().get() + (kTextBlockUnits - textLeft_);
        textLeft_ -= text.size();
    }
    std::copy(text.begin(), text.end(), at);
    return {at, text.size()};
}

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

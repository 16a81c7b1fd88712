#pragma once
// Lasting storage of one hive for what its keys and values view: the keys themselves, in
// large blocks (a hive holds hundreds of thousands: one allocation each cost more than their
// content); key names and class texts, appended in large blocks; value names, kept once each
// (a registry repeats a few thousand names over a million values); and data bytes, appended
// in large blocks. Nothing stored moves or goes away before the store does.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace platform::wine::registry {

struct Key;

class HiveStore {
public:
    HiveStore();
    ~HiveStore();
    HiveStore(const HiveStore&) = delete;
    HiveStore& operator=(const HiveStore&) = delete;

    // A new key with no parent, named `name` (copied into the store).
    Key& NewKey(std::u16string_view name);
    // A copy of `text` that lasts as long as the store.
    std::u16string_view Text(std::u16string_view text);
    std::u16string_view Name(std::u16string_view name);
    std::string_view Bytes(const std::uint8_t* data, std::size_t size);
    // Keeps what another store holds for as long as this one lives.
    void Keep(std::unique_ptr<HiveStore> other) { kept_.push_back(std::move(other)); }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view name) const {
            return std::hash<std::u16string_view>()(name);
        }
    };
    std::unordered_set<std::u16string, NameHash, std::equal_to<>> names_;
    std::vector<std::unique_ptr<char[]>> blocks_, large_;
    std::size_t left_ = 0;  // free bytes at the end of the last block
    std::vector<std::unique_ptr<Key[]>> keys_;
    std::size_t keysLeft_ = 0;  // unused keys at the end of the last key block
    std::vector<std::unique_ptr<char16_t[]>> texts_, largeTexts_;
    std::size_t textLeft_ = 0;  // free units at the end of the last text block
    std::vector<std::unique_ptr<HiveStore>> kept_;
};

}  // namespace platform::wine::registry

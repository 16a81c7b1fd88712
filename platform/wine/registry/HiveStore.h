#pragma once
// Lasting storage of one hive for what its values view: names, kept once each (a registry
// repeats a few thousand names over a million values), and data bytes, appended in large
// blocks. Nothing stored moves or goes away before the store does.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace platform::wine::registry {

class HiveStore {
public:
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
    std::vector<std::unique_ptr<HiveStore>> kept_;
};

}  // namespace platform::wine::registry

#pragma once
// Yes/no answers by text, for the hundred thousand texts of a scan: one table of slots and
// one buffer of texts, so that a lookup touches two places in memory and forgetting frees
// two blocks, where a node-based map allocates, frees and chases two pointers per text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

class AnswerMemo {
public:
    std::optional<bool> Find(std::string_view text) const;
    void Add(std::string_view text, bool answer);  // a text not held yet
    std::size_t Size() const { return count_; }
    // Forgets every answer and gives back the memory.
    void Clear();

private:
    struct Slot {
        std::uint64_t hash = 0;  // 0: free
        std::uint32_t offset = 0, length = 0;
        bool answer = false;
    };
    static std::uint64_t Hash(std::string_view text);
    std::size_t SlotOf(std::string_view text, std::uint64_t hash) const;
    void Grow();

    std::vector<Slot> slots_;  // a power of two of them, at most half in use
    std::string texts_;
    std::size_t count_ = 0;
};

}  // namespace engine

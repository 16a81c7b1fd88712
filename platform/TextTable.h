#pragma once
// A table from texts to small values, for the hundred thousand texts of a scan: one array of
// slots and one buffer of texts, so that a lookup touches two places in memory and clearing
// frees two blocks, where a node-based map allocates, frees and chases pointers per text.
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

template <class T>
class TextTable {
public:
    // The value held for `text`; null when there is none. Valid until the next Add or Clear.
    const T* Find(std::string_view text) const {
        if (count_ == 0) return nullptr;
        const Slot& slot = slots_[SlotOf(text, Hash(text))];
        return slot.hash == 0 ? nullptr : &slot.value;
    }

    // Holds `value` for `text` unless a value is held for it already. Past 4 GB of texts
    // (offsets are 32 bits) nothing more is held.
    void Add(std::string_view text, T value) {
        if (texts_.size() + text.size() > std::numeric_limits<std::uint32_t>::max()) return;
        if (2 * (count_ + 1) > slots_.size()) Grow();
        const std::uint64_t hash = Hash(text);
        Slot& slot = slots_[SlotOf(text, hash)];
        if (slot.hash != 0) return;
        slot = {hash, static_cast<std::uint32_t>(texts_.size()),
                static_cast<std::uint32_t>(text.size()), std::move(value)};
        texts_.append(text);
        ++count_;
    }

    std::size_t Size() const { return count_; }

    // Forgets everything and gives back the memory.
    void Clear() {
        std::vector<Slot>().swap(slots_);
        std::string().swap(texts_);
        count_ = 0;
    }

private:
    struct Slot {
        std::uint64_t hash = 0;  // 0: free
        std::uint32_t offset = 0, length = 0;
        T value{};
    };

    static std::uint64_t Hash(std::string_view text) {
        return std::hash<std::string_view>{}(text) | 1;  // never 0, which marks a free slot
    }

    // The slot holding `text`, or the free slot where it would go (linear probing).
    std::size_t SlotOf(std::string_view text, std::uint64_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.hash == 0) return i;
            if (slot.hash == hash &&
                std::string_view(texts_).substr(slot.offset, slot.length) == text)
                return i;
        }
    }

    void Grow() {
        std::vector<Slot> old(slots_.empty() ? 1024 : 2 * slots_.size());
        old.swap(slots_);
        const std::size_t mask = slots_.size() - 1;
        for (Slot& slot : old) {
            if (slot.hash == 0) continue;
            std::size_t i = slot.hash & mask;
            while (slots_[i].hash != 0) i = (i + 1) & mask;
            slots_[i] = std::move(slot);
        }
    }

    std::vector<Slot> slots_;  // a power of two of them, at most half in use
    std::string texts_;
    std::size_t count_ = 0;
};

}  // namespace platform

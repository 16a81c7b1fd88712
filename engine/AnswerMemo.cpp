#include "engine/AnswerMemo.h"

#include <functional>
#include <limits>

namespace engine {

std::uint64_t AnswerMemo::Hash(std::string_view text) {
    return std::hash<std::string_view>{}(text) | 1;  // never 0, which marks a free slot
}

// The slot holding `text`, or the free slot where it would go.
std::size_t AnswerMemo::SlotOf(std::string_view text, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.hash == 0) return i;
        if (slot.hash == hash && std::string_view(texts_).substr(slot.offset, slot.length) == text)
            return i;
    }
}

std::optional<bool> AnswerMemo::Find(std::string_view text) const {
    if (count_ == 0) return std::nullopt;
    const Slot& slot = slots_[SlotOf(text, Hash(text))];
    if (slot.hash == 0) return std::nullopt;
    return slot.answer;
}

void AnswerMemo::Add(std::string_view text, bool answer) {
    // Offsets are 32 bits: past 4 GB of texts, answers are simply not kept.
    if (texts_.size() + text.size() > std::numeric_limits<std::uint32_t>::max()) return;
    if (2 * (count_ + 1) > slots_.size()) Grow();
    const std::uint64_t hash = Hash(text);
    Slot& slot = slots_[SlotOf(text, hash)];
    if (slot.hash != 0) return;
    slot = {hash, static_cast<std::uint32_t>(texts_.size()), static_cast<std::uint32_t>(text.size()),
            answer};
    texts_.append(text);
    ++count_;
}

void AnswerMemo::Grow() {
    std::vector<Slot> old(slots_.empty() ? 1024 : 2 * slots_.size());
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.hash == 0) continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].hash != 0) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void AnswerMemo::Clear() {
    decltype(slots_)().swap(slots_);
    decltype(texts_)().swap(texts_);
    count_ = 0;
}

}  // namespace engine

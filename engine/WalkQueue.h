#pragma once
// The first-in, first-out queue of a breadth-first walk (keys or folders).
#include <cstddef>
#include <utility>
#include <vector>

namespace engine {

// The head advances by index and the taken items are dropped in batches (once they are half
// the list), so that taking the head costs next to nothing and a walk of the whole registry
// does not hold every path it visited.
template <typename Item>
class WalkQueue {
public:
    explicit WalkQueue(std::vector<Item> items) : items_(std::move(items)) {}
    bool Empty() const { return head_ >= items_.size(); }
    void Push(Item item) { items_.push_back(std::move(item)); }
    Item Take() {
        Item item = std::move(items_[head_++]);
        if (head_ >= kDropBatch && 2 * head_ >= items_.size()) {
            items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(head_));
            head_ = 0;
        }
        return item;
    }

private:
    static constexpr std::size_t kDropBatch = 4096;
    std::vector<Item> items_;
    std::size_t head_ = 0;
};

}  // namespace engine

#pragma once
// The steps of one directory search, counted so that the caller's progress callback (which
// hands its events on) is asked now and then while a large folder is read and ordered.
#include <functional>

namespace platform::wine::files {

class SearchProgress {
public:
    SearchProgress() = default;
    // `callback` (not owned, may be empty) is asked every kStepsPerCall steps.
    explicit SearchProgress(const std::function<bool()>& callback) : callback_(&callback) {}

    // One step of work (an entry read, a comparison); false once the callback gave up.
    bool Step() {
        if (!givenUp_ && callback_ && *callback_ && ++steps_ == kStepsPerCall) {
            steps_ = 0;
            givenUp_ = !(*callback_)();
        }
        return !givenUp_;
    }
    bool GivenUp() const { return givenUp_; }

private:
    // About 0.1 ms of reading or sorting: the callback reads a clock, no more often.
    static constexpr unsigned kStepsPerCall = 1024;
    const std::function<bool()>* callback_ = nullptr;
    unsigned steps_ = 0;
    bool givenUp_ = false;
};

}  // namespace platform::wine::files

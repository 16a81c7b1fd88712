#pragma once
// Whether the file or folder a text names is on disk, tolerating arguments behind the path.
#include <cstdint>
#include <string_view>

#include "platform/Services.h"
#include "platform/TextTable.h"

namespace engine {

// The existence test: a text without a dot always exists; otherwise the whole text (when it
// has no space) and then every prefix from the one ending just before the first dot up to the
// whole text are asked about. True at the first prefix that exists.
bool PathExists(platform::Services& services, std::string_view text);

// The existence test with its answers remembered while the platform keeps its directory
// listings (during a scan): several sections ask about the same texts, and a dead text costs
// one question per character after its first dot. An answer is kept exactly as long as the
// listings it came from, so it can never be staler than asking again.
class ExistenceTest {
public:
    explicit ExistenceTest(platform::Services& services) : services_(services) {}
    ExistenceTest(const ExistenceTest&) = delete;
    ExistenceTest& operator=(const ExistenceTest&) = delete;

    bool Exists(std::string_view text);
    platform::Services& Services() const { return services_; }
    // Drops every remembered answer and the memory they held (a scan has ended).
    void Forget();

private:
    platform::Services& services_;
    std::uint64_t generation_ = 0;
    platform::TextTable<bool> answers_;
};

}  // namespace engine

#pragma once
// Whether the file or folder a text names is on disk, tolerating arguments behind the path.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Services.h"
#include "platform/TextTable.h"

namespace engine {

// The existence test: a text without a dot always exists; otherwise the whole text (when it
// has no space) and then every prefix from the one ending just before the first dot up to the
// whole text are asked about. True at the first prefix that exists.
bool PathExists(platform::Services& services, std::string_view text);

// Whose view of the machine a value is judged in. On a 64-bit machine a 32-bit program
// opening "C:\windows\system32\x" reaches "C:\windows\syswow64\x" and expands
// %ProgramFiles% to "C:\Program Files (x86)".
enum class View { Native, Wow64 };

// The existence test with its answers remembered while the platform keeps its directory
// listings (during a scan): several sections ask about the same texts, and a dead text costs
// one question per character after its first dot. An answer is kept exactly as long as the
// listings it came from, so it can never be staler than asking again. Paths and environment
// strings are taken in the view set with SetView (this program's own at first).
class ExistenceTest {
public:
    explicit ExistenceTest(platform::Services& services) : services_(services) {}
    ExistenceTest(const ExistenceTest&) = delete;
    ExistenceTest& operator=(const ExistenceTest&) = delete;

    bool Exists(std::string_view text);
    // ExpandEnvironmentStringsA in the current view.
    platform::DWORD ExpandEnvironmentStrings(const char* source, char* destination,
                                             platform::DWORD size);
    platform::Services& Services() const { return services_; }
    View CurrentView() const { return view_; }
    void SetView(View view) { view_ = view; }
    // Drops every remembered answer and the memory they held (a scan has ended).
    void Forget();

    // Each text Exists was asked about since the last StartRecording, in order: the path as
    // looked for (redirected in the 32-bit view), the view, the answer. A walk starts it
    // before it judges a value, so that a problem can say what was looked for.
    struct Asked {
        std::string path;
        bool wow64 = false;
        bool found = false;
    };
    void StartRecording() { askedCount_ = 0; }
    std::vector<Asked> Recorded() const {
        return {asked_.begin(), asked_.begin() + static_cast<std::ptrdiff_t>(askedCount_)};
    }

private:
    void Record(std::string_view path, bool found);

    bool ExistsAsNamed(std::string_view text);

    platform::Services& services_;
    View view_ = View::Native;
    std::uint64_t generation_ = 0;
    platform::TextTable<bool> answers_;
    // Reused from value to value: recording allocates only when a value asks more than any
    // before it.
    std::vector<Asked> asked_;
    std::size_t askedCount_ = 0;
};

// Sets a view for as long as it lives, then gives back the one before.
class ViewScope {
public:
    ViewScope(ExistenceTest& paths, View view) : paths_(paths), before_(paths.CurrentView()) {
        paths_.SetView(view);
    }
    ~ViewScope() { paths_.SetView(before_); }
    ViewScope(const ViewScope&) = delete;
    ViewScope& operator=(const ViewScope&) = delete;

private:
    ExistenceTest& paths_;
    View before_;
};

}  // namespace engine

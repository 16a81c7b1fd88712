#include "engine/PathTest.h"

namespace engine {

bool PathExists(platform::Services& services, std::string_view text) {
    std::string buffer(text);
    if (text.find(' ') == std::string_view::npos && services.PathFileExistsA(buffer.c_str()))
        return true;
    // Windows-1252 has no lead bytes, so the first dot is simply the first '.' byte.
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) return true;
    for (std::size_t n = dot; n <= text.size(); ++n) {
        buffer.assign(text.substr(0, n));
        if (services.PathFileExistsA(buffer.c_str())) return true;
    }
    return false;
}

bool ExistenceTest::Exists(std::string_view text) {
    if (view_ == View::Wow64) {
        const std::string redirected = services_.Wow64RedirectedPath(text);
        const bool found = ExistsAsNamed(redirected);
        Record(redirected, found);
        return found;
    }
    const bool found = ExistsAsNamed(text);
    Record(text, found);
    return found;
}

void ExistenceTest::Record(std::string_view path, bool found) {
    if (askedCount_ == asked_.size()) asked_.emplace_back();
    Asked& asked = asked_[askedCount_++];
    asked.path.assign(path);
    asked.wow64 = view_ == View::Wow64;
    asked.found = found;
}

platform::DWORD ExistenceTest::ExpandEnvironmentStrings(const char* source, char* destination,
                                                        platform::DWORD size) {
    return view_ == View::Wow64 ? services_.ExpandEnvironmentStrings32A(source, destination, size)
                                : services_.ExpandEnvironmentStringsA(source, destination, size);
}

bool ExistenceTest::ExistsAsNamed(std::string_view text) {
    const std::uint64_t generation = services_.DirectoryCacheGeneration();
    if (generation != generation_) {
        answers_.Clear();
        generation_ = generation;
    }
    // Zero: nothing is cached, so every question is asked afresh.
    if (generation == 0) return PathExists(services_, text);
    if (const bool* known = answers_.Find(text)) return *known;
    const bool exists = PathExists(services_, text);
    answers_.Add(text, exists);
    return exists;
}

void ExistenceTest::Forget() {
    answers_.Clear();
    generation_ = 0;
}

}  // namespace engine

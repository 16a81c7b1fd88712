#pragma once
// Whose a prefix is. Wine runs a prefix only for the user who owns its folder ("wine: '<dir>'
// is not owned by you"): a file written there belongs to whoever wrote it, so another user's
// write (root's, through sudo) would lock the owner out of their own registry and backups.
// Drennow writes under the same rule and reads any prefix it may read.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/Services.h"

namespace platform::wine {

// The account name of `uid`; empty when it has none.
inline std::string AccountName(uid_t uid) {
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
        return found->pw_name;
    return {};
}

// The account name of `uid`, or "the user with id N" when it has none.
inline std::string UserName(uid_t uid) {
    const std::string name = AccountName(uid);
    return name.empty() ? "the user with id " + std::to_string(uid) : name;
}

// True when the prefix folder (links followed, as Wine does) belongs to another user than the
// one this process runs as, whose id then goes to `owner`; false too when the folder cannot be
// looked at (a write meets that itself).
inline bool OwnedByAnother(const std::string& prefixDir, uid_t* owner = nullptr) {
    struct stat st {};
    if (::stat(prefixDir.c_str(), &st) != 0 || st.st_uid == ::geteuid()) return false;
    if (owner) *owner = st.st_uid;
    return true;
}

// Why nothing may be written to another user's prefix, and what to do; success for one's own.
inline Status OwnerRefusal(const std::string& prefixDir) {
    uid_t owner = 0;
    if (!OwnedByAnother(prefixDir, &owner)) return {};
    const std::string name = UserName(owner);
    // sudo takes a user without an account by its number.
    const std::string account = AccountName(owner);
    const std::string sudo = account.empty() ? "'#" + std::to_string(owner) + "'" : account;
    // The folder stands on a line of its own, indented, as in the other refusals.
    return {ERROR_ACCESS_DENIED,
            "The prefix\n    " + prefixDir + "\nis not owned by you: it belongs to " + name +
                ", and Drennow runs as " + UserName(::geteuid()) +
                ". Wine refuses it too (\"wine: '" + prefixDir +
                "' is not owned by you\"): files written by another user would be theirs and "
                "lock " +
                name + " out of the registry and the backups. Run Drennow as " + name +
                " (for example with `sudo -u " + sudo + "`), then try again."};
}

// The one-line note shown while another user's prefix is open; empty for one's own.
inline std::string OwnerNote(const std::string& prefixDir) {
    uid_t owner = 0;
    if (!OwnedByAnother(prefixDir, &owner)) return {};
    const std::string name = UserName(owner);
    return "This prefix belongs to " + name + ", not to " + UserName(::geteuid()) +
           ": Drennow only reads it; run Drennow as " + name + " to repair it.";
}

}  // namespace platform::wine

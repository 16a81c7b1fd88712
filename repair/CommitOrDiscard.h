#pragma once
// How an operation that changed the registry ends: its changes are saved, or, when the save
// fails, dropped, so that memory stays what the disk holds and no later save writes them
// after the user was told they were not made.
#include "platform/Services.h"

namespace repair {

// The save's status; on failure the changes are gone from memory too.
platform::Status CommitOrDiscard(platform::Services& services);

}  // namespace repair

#include "repair/CommitOrDiscard.h"

namespace repair {

platform::Status CommitOrDiscard(platform::Services& services) {
    if (!services.HasUncommittedChanges()) return {};
    platform::Status status = services.Commit();
    if (!status.ok()) {
        const platform::Status discarded = services.DiscardChanges();
        if (!discarded.ok()) status.message += "\n" + discarded.message;
    }
    return status;
}

}  // namespace repair

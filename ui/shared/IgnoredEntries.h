#pragma once
// The desktop program's side of the ignore list: read before every scan, added to from the
// result screen's context menu.
#include "engine/Host.h"
#include "engine/IgnoreList.h"
#include "engine/ScanSession.h"
#include "platform/Services.h"

namespace ui::shared {

// Reads the prefix's ignore list into the session's scan context. A damaged line is reported
// in a message box and skipped; a list that cannot be read is reported and false returned, so
// that no scan lists (and no repair deletes) what it would leave out.
bool ApplyIgnoreList(platform::Services& services, engine::ScanSession& session,
                     engine::Host& host);

// Puts the entry on the prefix's ignore list (once: one naming the same is kept as it is)
// and into the session's scan context. False, after a message box saying why, when the list
// could not be written.
bool AddIgnoreEntry(platform::Services& services, engine::ScanSession& session, engine::Host& host,
                    const engine::IgnoreEntry& entry);

}  // namespace ui::shared

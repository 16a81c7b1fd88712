#pragma once
// The addresses the help command and the About box's links open with the desktop's own
// programs: the maker's web site and a mail to its support.
#include <string>

#include "ui/res/Strings.h"

namespace ui::shared {

inline std::string HomePageAddress() { return text::kWebSite; }
inline std::string SupportMailAddress() { return std::string("mailto:") + text::kSupportMail; }

}  // namespace ui::shared

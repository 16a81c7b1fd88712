#pragma once
// The LinkTargetIDList of a shortcut: item walk, Wine's item-type check, and the path the
// shell renders from it.
#include <string>

#include "platform/shelllink/Bytes.h"

namespace platform::shelllink::detail {

struct IdList {
    bool wellFormed = false;  // every item fits, has a type byte, and a terminator ends it
    bool kept = false;        // Wine keeps the list: every item type is one its shell knows
    std::u16string path;      // file-system path of the list; empty when it names none
};

// `items` is the list without its leading size field.
IdList ReadIdList(ByteRange items);

}  // namespace platform::shelllink::detail

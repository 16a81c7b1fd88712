#pragma once
// Wine's short (8.3) names. Wine keeps none on disk: it makes one from a hash of the long
// name whenever it needs it, and a path component that could be such a name is compared with
// the names made for the entries of its folder.
#include <string>
#include <string_view>

namespace platform::wine::files {

// The name is already a valid 8.3 name (Wine's is_legal_8dot3_name): at most 8 characters, a
// dot and at most 3 more, all ASCII and none that DOS refuses. Such a name has no other short
// name.
bool IsLegal8Dot3(std::u16string_view name);

// The short name Wine makes for a long name that is not a valid 8.3 one (hash_short_file_name
// of Wine 8, case-insensitive, in upper case as directory searches give it): the first four
// usable characters, '~' up to five, three hash characters and the first three of the
// extension.
std::u16string HashShortName(std::u16string_view longName);

// The short name of a host name (UTF-8): empty when the name is a valid 8.3 name already.
std::string ShortNameOfHostName(std::string_view hostName);

// A path component that may name an entry by its made short name, as Wine decides it: a valid
// 8.3 name of at least 8 characters with '~' as its fifth (every made name has that shape,
// so no other component is ever compared with one).
bool CouldBeShortName(std::string_view component);

}  // namespace platform::wine::files

#pragma once

#include <sys/stat.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Case-insensitive look-up of a name in a directory on disk. The directory's names are kept per
// directory, keyed by their folded form (FoldDiskName), and read again whenever the directory's
// modification time or identity changes, so a file added later is found. Thread-safe.

// The name on disk in `directory` (whose stat is `directory_status`) whose folded form equals
// one of `folded_keys`, tried in order; nullopt when none matches or the directory cannot be
// read. Of several names with the same folded form the byte-wise smallest is taken.
std::optional<std::string> FindFoldedName(const std::string& directory,
                                          const struct stat& directory_status,
                                          std::initializer_list<std::string_view> folded_keys);

}  // namespace platform

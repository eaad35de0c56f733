#pragma once

#include <string>
#include <string_view>

namespace layer {

// The full path of a path resolved against a base directory (null: the current directory of
// the file operations), in the game's form: "\"-separated, "." and ".." resolved in every
// component a separator follows, the last component appended as it is. A base with a drive
// ("C:\a") keeps the drive rules: a leading separator starts at its drive, ".." never goes
// past it. Any other base is a path from the root: a leading separator starts there and ".."
// stops there. Returns 0, or -1 for an empty component (two separators in a row).
int MakeFullPath(const char* path, std::string* output, const char* base = nullptr);

// The full path for archive look-ups, against the current directory: as above, but empty
// components are skipped and a path that starts with two separators keeps one in front. In the
// path's own case, to open files on disk.
std::string MakeArchiveFullPath(std::string_view path);
// The same, upper-cased (a-z only; two-byte characters kept whole): the form look-ups compare.
std::string MakeUpperFullPath(std::string_view path);

// Turns a-z into A-Z, stepping over two-byte characters whole.
void UpperCasePath(std::string* path);

}  // namespace layer

#pragma once

#include <string>
#include <string_view>

namespace layer {

// Maps a path onto the archive standing in for one of its leading directories: the directory's
// full path + "." + the archive extension. The archive found last is tried first; otherwise
// every leading directory is tried, shortest first, and the first archive that opens wins.
// On success gives the cache index (holding one reference), the archive's path and the rest of
// the path inside it, upper-cased; 0. -1 when the path lies in no archive. Each look-up starts
// with no refusal noted.
int ResolveArchivePath(std::string_view path, int* cache_index, std::string* archive_path,
                       std::string* rest);

}  // namespace layer

#pragma once

#include <string_view>

namespace platform {

// Windows file-name wildcards over CP932 names: "*" matches any run of characters, "?" exactly
// one (a two-byte character counts as one), ASCII letters match either case, and a pattern
// ending in ".*" also matches names without that extension ("*.*" matches every name).
bool MatchFileWildcard(std::string_view pattern, std::string_view name);

}  // namespace platform

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Names shown to the game and their way back. A name on disk is UTF-8, or raw bytes when it is
// not valid UTF-8 (a Shift-JIS name unpacked unconverted). The game sees CP932: a UTF-8 name is
// converted character by character; a character CP932 cannot hold, or that would come back as
// another character, or a "\" (the game's separator), becomes "&#xHHHH;" (its code point in
// hex). Raw names are shown as their bytes.

// The CP932 name the game sees for a name on disk.
std::string DisplayName(std::string_view disk_name);

// The UTF-8 form of one CP932 name component with its "&#xHHHH;" escapes decoded, or nullopt
// when the bytes are not CP932 or the result is no usable name ("", ".", "..", or holding "/"
// or a NUL).
std::optional<std::string> GameNameToUtf8(std::string_view cp932_name);

}  // namespace platform

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Game text is CP932 (Shift-JIS with the Windows extensions); the outside world is UTF-8.
// Conversion happens only in the platform tier.

// Strict conversions fail on any byte sequence the other side cannot hold (file names).
// Toward CP932 iconv still maps some characters one way (U+00A5 to 5C, U+301C to 8160):
// callers that need a reversible form convert back and compare.
std::optional<std::string> Cp932ToUtf8Strict(std::string_view cp932);
std::optional<std::string> Utf8ToCp932Strict(std::string_view utf8);

// Lenient conversions substitute what they cannot convert ("?" in CP932, U+FFFD in UTF-8):
// window titles, message boxes, the console, glyph look-up.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace platform

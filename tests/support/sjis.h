#pragma once

#include <string>

namespace test {

// CP932 bytes of a UTF-8 literal: Sjis(u8"表") == "\x95\x5C". A character CP932 lacks
// throws, failing the test that wrote it.
std::string Sjis(const char8_t* utf8);

}  // namespace test

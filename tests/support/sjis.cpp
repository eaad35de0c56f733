#include "tests/support/sjis.h"

#include <optional>
#include <stdexcept>

#include "platform/text_encoding.h"

namespace test {

std::string Sjis(const char8_t* utf8) {
    const std::string text(reinterpret_cast<const char*>(utf8));
    std::optional<std::string> cp932 = platform::Utf8ToCp932Strict(text);
    if (!cp932)
        throw std::invalid_argument("Sjis: not representable in CP932: " + text);
    return *cp932;
}

}  // namespace test

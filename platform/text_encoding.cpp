#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace platform {
namespace {

constexpr std::string_view kCp932Substitute = "?";
constexpr std::string_view kUtf8Substitute = "\uFFFD";  // in UTF-8

// One converter per direction and thread: an iconv descriptor holds state and is not
// thread-safe. "CP932" keeps 5C as the backslash and knows the NEC and IBM extensions.
class Converter {
  public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {
        if (descriptor_ == kInvalid) {
            std::fprintf(stderr, "text conversion %s -> %s unavailable\n", from, to);
        }
    }
    ~Converter() {
        if (descriptor_ != kInvalid)
            iconv_close(descriptor_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Appends the conversion of `input` to `output` up to the first sequence that cannot be
    // converted; `input` is left at that sequence. Returns false when it stopped early.
    bool ConvertRun(std::string_view& input, std::string& output) {
        if (descriptor_ == kInvalid)
            return input.empty();
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t in_left = input.size();
        while (in_left > 0) {
            const std::size_t used = output.size();
            output.resize(used + in_left * 3 + 16);
            char* out = output.data() + used;
            std::size_t out_left = output.size() - used;
            const bool stopped =
                iconv(descriptor_, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1);
            const bool output_full = stopped && errno == E2BIG;
            output.resize(output.size() - out_left);
            if (stopped && !output_full)
                break;
        }
        input.remove_prefix(input.size() - in_left);
        return in_left == 0;
    }

  private:
    static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);
    iconv_t descriptor_;
};

Converter& ToUtf8() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& ToCp932() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

bool IsCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsCp932Trail(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Bytes replaced by one substitute: a lead with a well-formed trail is one unmapped
// character; anything else (a lone lead, 80, A0, FD-FF) is one byte.
std::size_t Cp932BadLength(std::string_view input) {
    const auto first = static_cast<unsigned char>(input[0]);
    if (IsCp932Lead(first) && input.size() > 1 &&
        IsCp932Trail(static_cast<unsigned char>(input[1]))) {
        return 2;
    }
    return 1;
}

// The lead byte and the continuation bytes that follow it, up to the length the lead
// announces; a stray continuation or invalid byte is one byte.
std::size_t Utf8BadLength(std::string_view input) {
    const auto first = static_cast<unsigned char>(input[0]);
    std::size_t expected = 1;
    if (first >= 0xC2 && first <= 0xDF) {
        expected = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        expected = 3;
    } else if (first >= 0xF0 && first <= 0xF4) {
        expected = 4;
    }
    std::size_t length = 1;
    while (length < expected && length < input.size() &&
           (static_cast<unsigned char>(input[length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

std::optional<std::string> ConvertStrict(Converter& converter, std::string_view input) {
    std::string output;
    if (!converter.ConvertRun(input, output))
        return std::nullopt;
    return output;
}

// glibc's iconv fails on the first bad sequence even with //IGNORE, so substitution steps
// over each bad sequence itself and resumes.
std::string ConvertLenient(Converter& converter, std::string_view input,
                           std::size_t (*bad_length)(std::string_view),
                           std::string_view substitute) {
    std::string output;
    while (!converter.ConvertRun(input, output)) {
        output += substitute;
        input.remove_prefix(bad_length(input));
    }
    return output;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8Strict(std::string_view cp932) {
    return ConvertStrict(ToUtf8(), cp932);
}

std::optional<std::string> Utf8ToCp932Strict(std::string_view utf8) {
    return ConvertStrict(ToCp932(), utf8);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return ConvertLenient(ToUtf8(), cp932, Cp932BadLength, kUtf8Substitute);
}

std::string Utf8ToCp932(std::string_view utf8) {
    return ConvertLenient(ToCp932(), utf8, Utf8BadLength, kCp932Substitute);
}

}  // namespace platform

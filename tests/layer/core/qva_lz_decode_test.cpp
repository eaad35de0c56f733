#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "layer/core/qva_lz.h"
#include "tests/support/case_name.h"

namespace layer {
namespace {

// A block with escape 0x10 around the tokens; the size fields are filled in.
std::string Block(std::size_t decoded_size, const std::string& tokens) {
    std::string block(9, '\0');
    const std::size_t total = block.size() + tokens.size();
    for (int i = 0; i < 4; ++i) {
        block[i] = static_cast<char>(decoded_size >> (8 * i));
        block[4 + i] = static_cast<char>(total >> (8 * i));
    }
    block[8] = '\x10';
    return block + tokens;
}

std::int64_t Decode(const std::string& block, std::string* output) {
    return DecodeQvaLz(reinterpret_cast<const std::uint8_t*>(block.data()), block.size(),
                       reinterpret_cast<std::uint8_t*>(output->data()), output->size());
}

std::string Repeat(const std::string& pattern, std::size_t size) {
    std::string out;
    while (out.size() < size) {
        out += pattern;
    }
    return out.substr(0, size);
}

struct Vector {
    const char* what;
    std::string tokens;
    std::string decoded;
    friend void PrintTo(const Vector& c, std::ostream* os) { *os << c.what; }
};

class QvaLzVectors : public testing::TestWithParam<Vector> {};

TEST_P(QvaLzVectors, DecodeToTheirBytes) {
    const Vector& v = GetParam();
    std::string output(v.decoded.size(), '?');
    EXPECT_EQ(Decode(Block(v.decoded.size(), v.tokens), &output),
              static_cast<std::int64_t>(v.decoded.size()));
    EXPECT_EQ(output, v.decoded);
}

INSTANTIATE_TEST_SUITE_P(
    EscapeSixteen, QvaLzVectors,
    testing::Values(
        Vector{"escape pair among literals",
               std::string("ab\x10\x10"
                           "cd"),
               std::string("ab\x10"
                           "cd")},
        Vector{"copy of 8 from 6 back", std::string("abcdef\x10\x21\x05"), "abcdefabcdefab"},
        Vector{"one byte repeated ten times", std::string("z\x10\x31\x00", 4),
               std::string(11, 'z')},
        Vector{"code below the escape is itself", std::string("xy\x10\x08\x01", 5), "xyxyxyx"},
        Vector{"length byte and two-byte distance", std::string("abc\x10\x0D\x01\x02\x00", 8),
               Repeat("abc", 40)},
        Vector{"empty block", "", ""}),
    [](const auto& info) { return test::CaseName(info.param.what); });

struct Damaged {
    const char* what;
    std::size_t decoded_size;
    std::string tokens;
    friend void PrintTo(const Damaged& c, std::ostream* os) { *os << c.what; }
};

class QvaLzDamaged : public testing::TestWithParam<Damaged> {};

TEST_P(QvaLzDamaged, FailWithoutTouchingOutsideTheirBuffers) {
    const Damaged& d = GetParam();
    std::string output(d.decoded_size, '?');
    EXPECT_EQ(Decode(Block(d.decoded_size, d.tokens), &output), -1) << d.what;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, QvaLzDamaged,
    testing::Values(Damaged{"distance field size 3", 8, std::string("abcd\x10\x03\x00", 7)},
                    Damaged{"escape cut off", 2, "a\x10"},
                    Damaged{"distance cut off", 8, "abcd\x10\x01\x01"},
                    Damaged{"length byte cut off", 8, "abcd\x10\x04"},
                    Damaged{"copy before the start", 8, std::string("ab\x10\x00\x05", 5)},
                    Damaged{"copy past the output", 4, std::string("a\x10\x00\x00", 4)},
                    Damaged{"literals past the output", 2, "abc"},
                    Damaged{"output short of its size", 5, "abc"}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(QvaLzDecode, RefusesSizeFieldsThatDisagree) {
    std::string block = Block(3, "abc");
    std::string output(4, '?');
    EXPECT_EQ(Decode(block, &output), -1) << "decoded size is not the record's";
    output.resize(3);
    block[4] = 100;
    EXPECT_EQ(Decode(block, &output), -1) << "block longer than the bytes at hand";
    block[4] = 5;
    EXPECT_EQ(Decode(block, &output), -1) << "block shorter than its header";
    EXPECT_EQ(Decode(block.substr(0, 8), &output), -1) << "header cut off";
}

}  // namespace
}  // namespace layer

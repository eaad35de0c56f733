#include <gtest/gtest.h>

#include <stdexcept>

#include "layer/core/qva_lz.h"
#include "tests/support/case_name.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_tree.h"
#include "tools/lib/qva_folder.h"
#include "tools/lib/qva_lz_encode.h"
#include "tools/lib/qva_writer.h"

namespace tools {
namespace {

QvaNode File(std::string name, std::string data) {
    QvaNode node;
    node.name = std::move(name);
    node.data = std::move(data);
    return node;
}

QvaNode Folder(std::string name, std::vector<QvaNode> children) {
    QvaNode node;
    node.name = std::move(name);
    node.directory = true;
    node.children = std::move(children);
    return node;
}

std::string Noise(std::size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 23);
    }
    return bytes;
}

std::string Decode(const std::string& block, std::size_t size) {
    std::string out(size, '\0');
    const std::int64_t got =
        layer::DecodeQvaLz(reinterpret_cast<const std::uint8_t*>(block.data()), block.size(),
                           reinterpret_cast<std::uint8_t*>(out.data()), out.size());
    return got == static_cast<std::int64_t>(size) ? out : "<damaged>";
}

struct EncodeCase {
    const char* what;
    std::string data;
    friend void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.what; }
};

class EncodeQvaLzCases : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeQvaLzCases, DecodeBackToTheirInput) {
    const std::string& data = GetParam().data;
    EXPECT_EQ(Decode(EncodeQvaLz(data), data.size()), data);
}

std::string EveryByte(std::size_t repeats) {
    std::string bytes;
    for (std::size_t r = 0; r < repeats; ++r) {
        for (int b = 0; b < 256; ++b) {
            bytes.push_back(static_cast<char>(b));
        }
    }
    return bytes;
}

// Repeats 3000 and 71000 bytes back.
std::string FarRepeat() {
    const std::string block = Noise(70000, 9);
    const std::string near = block.substr(0, 3000);
    return block + Noise(1000, 2) + block.substr(100, 5000) + near + near;
}

INSTANTIATE_TEST_SUITE_P(Inputs, EncodeQvaLzCases,
                         testing::Values(EncodeCase{"empty", ""}, EncodeCase{"one byte", "x"},
                                         EncodeCase{"noise", Noise(5000, 1)},
                                         EncodeCase{"long run", std::string(100000, 'a')},
                                         EncodeCase{"every byte value, so the escape occurs",
                                                    EveryByte(40)},
                                         EncodeCase{"two- and three-byte distances", FarRepeat()},
                                         EncodeCase{"text",
                                                    [] {
                                                        std::string text;
                                                        for (int i = 0; i < 2000; ++i) {
                                                            text += "line " +
                                                                    std::to_string(i % 13) + "\r\n";
                                                        }
                                                        return text;
                                                    }()}),
                         [](const auto& info) { return test::CaseName(info.param.what); });

TEST(EncodeQvaLz, EscapeIsTheRarestByteAndRunsShrink) {
    std::string data = std::string(5000, 'a') + "b";
    data[10] = '\0';
    const std::string block = EncodeQvaLz(data);
    EXPECT_EQ(static_cast<unsigned char>(block[8]), 1u) << "1 never occurs; 0 does";
    EXPECT_LT(block.size(), 50u);
}

TEST(WriteQvaArchive, SameTreeGivesSameBytesWhateverTheOrderOfChildren) {
    const QvaNode a = Folder("", {File("b.txt", "b"), File("A.txt", "a"), Folder("c", {})});
    const QvaNode b = Folder("", {Folder("c", {}), File("A.txt", "a"), File("b.txt", "b")});
    EXPECT_EQ(WriteQvaArchive(a, {}), WriteQvaArchive(b, {}));
}

TEST(WriteQvaArchive, RefusesWhatCannotBeStored) {
    const std::vector<std::pair<const char*, QvaNode>> cases = {
        {"separator in a name", Folder("", {File("a\\b", "")})},
        {"empty name", Folder("", {File("", "")})},
        {"dot dot", Folder("", {Folder("..", {})})},
        {"names differing in case only", Folder("", {File("a", ""), File("A", "")})},
    };
    for (const auto& [what, tree] : cases) {
        EXPECT_THROW(WriteQvaArchive(tree, {}), std::runtime_error) << what;
    }
    QvaWriteOptions options;
    options.version = 4;
    EXPECT_THROW(WriteQvaArchive(Folder("", {}), options), std::runtime_error);
    EXPECT_NO_THROW(WriteQvaArchive(Folder("", {File("a", ""), Folder("A", {})}), {}))
        << "a file and a folder of one name are told apart";
}

TEST(ReadQvaFolder, ConvertsNamesAndRefusesOnesWithoutACp932Form) {
    test::TempTree tree;
    tree.write("data/\xE8\xA1\xA8.txt", "hyou");  // 表
    tree.write("data/sub/empty", "");
    const QvaNode root = ReadQvaFolder(tree.path("data"));
    ASSERT_EQ(root.children.size(), 2u);
    bool found = false;
    for (const QvaNode& child : root.children) {
        if (child.name == test::Sjis(u8"表.txt")) {
            found = true;
            EXPECT_EQ(child.data, "hyou");
            EXPECT_GT(child.file_time, 116444736000000000u);
        }
    }
    EXPECT_TRUE(found);

    tree.write("data/\xF0\x9F\x98\x80.txt", "emoji");
    try {
        ReadQvaFolder(tree.path("data"));
        ADD_FAILURE() << "an emoji name has no CP932 form";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("\xF0\x9F\x98\x80.txt"), std::string::npos);
    }
}

}  // namespace
}  // namespace tools

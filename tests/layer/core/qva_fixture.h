#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "layer/core/text_routines.h"
#include "tests/support/sjis.h"
#include "tools/lib/qva_writer.h"

namespace test {

inline tools::QvaNode QvaFile(std::string name, std::string data) {
    tools::QvaNode node;
    node.name = std::move(name);
    node.data = std::move(data);
    node.file_time = 133000000000000000u;
    return node;
}

inline tools::QvaNode QvaFolder(std::string name, std::vector<tools::QvaNode> children) {
    tools::QvaNode node;
    node.name = std::move(name);
    node.directory = true;
    node.children = std::move(children);
    node.file_time = 133000000000000000u;
    return node;
}

// Bytes that do not compress.
inline std::string NoiseBytes(std::size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 23);
    }
    return bytes;
}

// Text that compresses well.
inline std::string RepetitiveBytes(std::size_t size) {
    std::string bytes;
    for (int i = 0; bytes.size() < size; ++i) {
        bytes += "Line " + std::to_string(i % 7) + " of the database\r\n";
    }
    bytes.resize(size);
    return bytes;
}

// Nested folders, Japanese names (with 0x5C second bytes), an empty file, files that compress
// and files that do not.
inline tools::QvaNode SampleQvaTree() {
    return QvaFolder(
        "", {QvaFolder("BasicData",
                       {QvaFile("CDataBase.dat", RepetitiveBytes(5000)), QvaFile("empty.dat", ""),
                        QvaFile(Sjis(u8"日本語.txt"), Sjis(u8"こんにちは")),
                        QvaFolder(Sjis(u8"深い"), {QvaFile("x.bin", NoiseBytes(3000, 7))})}),
             QvaFile("Game.dat", NoiseBytes(100, 1) + RepetitiveBytes(900)),
             QvaFolder(Sjis(u8"表"), {QvaFile(Sjis(u8"ソ.txt"), "so")})});
}

struct QvaFileEntry {
    std::string path;  // from the root, "\"-separated, upper-cased
    std::string data;
};

// Every file of the tree with its look-up path.
inline void ListQvaFiles(const tools::QvaNode& node, const std::string& prefix,
                         std::vector<QvaFileEntry>* files) {
    for (const tools::QvaNode& child : node.children) {
        std::string path = prefix + child.name;
        layer::UpperCaseText(path.data());
        if (child.directory) {
            ListQvaFiles(child, path + "\\", files);
        } else {
            files->push_back({path, child.data});
        }
    }
}

}  // namespace test

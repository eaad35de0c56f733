// qvapack FOLDER OUT [--key TEXT | --key-hex HEX] [--version 0-3] [--store]
// Packs a folder into a resource archive that the player reads in place of the folder.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

#include "platform/text_encoding.h"
#include "tools/lib/qva_folder.h"
#include "tools/lib/qva_writer.h"

namespace {

constexpr const char* kUsage =
    "usage: qvapack FOLDER OUT [--key TEXT | --key-hex HEX] [--version 0-3] [--store]\n"
    "  --key TEXT     key string (UTF-8, stored as CP932; the first 12 bytes count)\n"
    "  --key-hex HEX  the 12 key bytes themselves, as 24 hex digits\n"
    "  --version N    archive version, 3 by default; 0 and 1 never compress\n"
    "  --store        store every file without compression\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "qvapack: %s\n", message.c_str());
    return 1;
}

bool ParseHexKey(const char* text, layer::ArchiveKey* key) {
    if (std::strlen(text) != 2 * key->size()) {
        return false;
    }
    for (std::size_t i = 0; i < key->size(); ++i) {
        unsigned value = 0;
        if (std::sscanf(text + 2 * i, "%2x", &value) != 1 ||
            std::strspn(text + 2 * i, "0123456789abcdefABCDEF") < 2) {
            return false;
        }
        (*key)[i] = static_cast<std::uint8_t>(value);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    tools::QvaWriteOptions options;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        const bool has_value = i + 1 < argc;
        if (option == "--store") {
            options.store = true;
        } else if (option == "--key" && has_value && !options.raw_key) {
            std::optional<std::string> key = platform::Utf8ToCp932Strict(argv[++i]);
            if (!key) {
                return Fail("the key has no CP932 form");
            }
            options.key_string = std::move(*key);
        } else if (option == "--key-hex" && has_value && !options.key_string) {
            layer::ArchiveKey key;
            if (!ParseHexKey(argv[++i], &key)) {
                return Fail("--key-hex needs 24 hex digits");
            }
            options.raw_key = key;
        } else if (option == "--version" && has_value && std::strlen(argv[i + 1]) == 1 &&
                   argv[i + 1][0] >= '0' && argv[i + 1][0] <= '3') {
            options.version = static_cast<std::uint16_t>(argv[++i][0] - '0');
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    try {
        const std::string archive = tools::WriteQvaArchive(tools::ReadQvaFolder(argv[1]), options);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(archive.data(), static_cast<std::streamsize>(archive.size()));
        out.close();
        if (!out) {
            return Fail(std::string("cannot write ") + argv[2]);
        }
    } catch (const std::exception& error) {
        return Fail(error.what());
    }
    return 0;
}

// Bytes as a game path through the resolver, the shown-name conversions and the wildcard
// matcher, against a small tree made once. Aborts when a shown name does not convert back.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/directory_search.h"
#include "platform/display_name.h"
#include "platform/game_path.h"
#include "platform/name_bytes.h"
#include "platform/text_encoding.h"
#include "platform/wildcard_match.h"

namespace {

class FuzzTree {
  public:
    FuzzTree() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "fuzz-path-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root_ = pattern;
        for (const char* file : {"Data/BasicData/X.DAT", "表示/ソース.txt", "snow☃.txt",
                                 "\x83\x5C\x95\x5C/raw.txt", "Game.dat"}) {
            const std::filesystem::path path = root_ / file;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path) << file;
        }
        platform::SetCurrentDiskFolder(root_.string());
    }
    ~FuzzTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string root() const { return root_.string(); }

  private:
    std::filesystem::path root_;
};

bool IsSingleName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

void CheckShownName(std::string_view name) {
    if (!IsSingleName(name))
        return;
    const std::string shown = platform::DisplayName(name);
    if (!platform::IsValidUtf8(name)) {
        if (shown != name)
            std::abort();
    } else if (name.find("&#x") == std::string_view::npos) {
        if (platform::GameNameToUtf8(shown) != name)
            std::abort();
    }
}

void CheckResolution(const FuzzTree& tree, const std::string& path) {
    const std::optional<std::string> disk = platform::ResolveGamePath(path);
    platform::ResolveGamePathForCreate(path);
    if (!disk || disk->rfind(tree.root(), 0) != 0)
        return;
    // A path found inside the tree is found again from its game form.
    if (platform::ResolveGamePath(platform::DiskPathToGamePath(*disk)) != disk)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const FuzzTree tree;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    platform::Cp932ToUtf8(bytes);
    platform::Utf8ToCp932(bytes);
    platform::Cp932ToUtf8Strict(bytes);
    CheckShownName(bytes);
    platform::GameNameToUtf8(bytes);
    CheckResolution(tree, bytes);

    const std::string_view view = bytes;
    platform::MatchFileWildcard(view, "Game.dat");
    platform::MatchFileWildcard(view.substr(0, size / 2), view.substr(size / 2));
    // Searches stay below the tree: no absolute paths, no way up.
    if (!bytes.empty() && bytes[0] != '\\' && bytes[0] != '/' &&
        bytes.find("..") == std::string::npos) {
        platform::SearchDirectory(bytes);
    }
    return 0;
}

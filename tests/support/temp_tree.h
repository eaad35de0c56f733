#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace test {

// A fresh folder under the process's temporary folder, removed with the object.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path path(std::string_view relative) const { return root_ / relative; }

    // Writes bytes to a file below the root, creating its folders.
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;

private:
    std::filesystem::path root_;
};

}  // namespace test

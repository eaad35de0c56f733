#include "tools/lib/qva_folder.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "layer/core/time_routines.h"
#include "platform/text_encoding.h"

namespace tools {
namespace {

std::uint64_t ModificationFileTime(const std::filesystem::path& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        throw std::runtime_error("cannot read: " + path.string());
    }
    return layer::kFileTimeOfUnixEpoch +
           static_cast<std::uint64_t>(status.st_mtim.tv_sec) * 10000000u +
           static_cast<std::uint64_t>(status.st_mtim.tv_nsec) / 100u;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || !in.is_open()) {
        throw std::runtime_error("cannot read: " + path.string());
    }
    return bytes;
}

void ReadChildren(const std::filesystem::path& folder, QvaNode* node) {
    for (const std::filesystem::directory_entry& entry :
         std::filesystem::directory_iterator(folder)) {
        const bool directory = entry.is_directory();
        if (!directory && !entry.is_regular_file()) {
            continue;
        }
        std::optional<std::string> name =
            platform::Utf8ToCp932Strict(entry.path().filename().string());
        if (!name) {
            throw std::runtime_error("name has no CP932 form: " + entry.path().string());
        }
        QvaNode child;
        child.name = std::move(*name);
        child.directory = directory;
        child.file_time = ModificationFileTime(entry.path());
        if (directory) {
            ReadChildren(entry.path(), &child);
        } else {
            child.data = ReadBytes(entry.path());
        }
        node->children.push_back(std::move(child));
    }
}

}  // namespace

QvaNode ReadQvaFolder(const std::filesystem::path& folder) {
    if (!std::filesystem::is_directory(folder)) {
        throw std::runtime_error("not a folder: " + folder.string());
    }
    QvaNode root;
    root.directory = true;
    ReadChildren(folder, &root);
    return root;
}

}  // namespace tools

#include "tools/lib/qva_writer.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "layer/core/qva_format.h"
#include "layer/core/qva_name_record.h"
#include "tools/lib/qva_lz_encode.h"

namespace tools {
namespace {

constexpr std::uint32_t kFileAttribute = 0x20;

void PutLe(std::string& out, std::size_t at, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[at + i] = static_cast<char>(value >> (8 * i));
    }
}

std::uint32_t Checked32(std::size_t value, const std::string& what) {
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw std::runtime_error("too large for the archive format: " + what);
    }
    return static_cast<std::uint32_t>(value);
}

layer::NameRecord LookUpName(const std::string& name) {
    layer::NameRecord record;
    if (name.empty() || name == "." || name == ".." ||
        layer::BuildNameRecord(name, &record) != static_cast<int>(name.size())) {
        throw std::runtime_error("name cannot be stored in an archive: " + name);
    }
    return record;
}

class Builder {
  public:
    explicit Builder(const QvaWriteOptions& options)
        : options_(options), record_size_(layer::ArchiveFileRecordSize(options.version)) {}

    std::string Build(const QvaNode& root) {
        AddDirectory(root, layer::kArchiveNoParent);
        names_.resize((names_.size() + 3) & ~std::size_t{3}, '\0');
        const std::size_t directory_size = names_.size() + files_.size() + directories_.size();
        const std::size_t data_offset = layer::kArchiveHeaderSize + directory_size;
        Checked32(data_offset + data_.size(), "archive");
        std::string out(layer::kArchiveHeaderSize, '\0');
        out[0] = static_cast<char>(layer::kArchiveMagic[0]);
        out[1] = static_cast<char>(layer::kArchiveMagic[1]);
        PutLe(out, 2, options_.version, 2);
        PutLe(out, 4, directory_size, 4);
        PutLe(out, 8, data_offset, 4);
        PutLe(out, 12, layer::kArchiveHeaderSize, 4);
        PutLe(out, 16, names_.size(), 4);
        PutLe(out, 20, names_.size() + files_.size(), 4);
        out += names_;
        out += files_;
        out += directories_;
        out += data_;
        return out;
    }

  private:
    struct Child {
        const QvaNode* node;
        layer::NameRecord record;
    };

    std::uint32_t AddDirectory(const QvaNode& directory, std::uint32_t parent) {
        const std::size_t offset = directories_.size();
        directories_.append(layer::kArchiveDirectoryRecordSize, '\0');
        const std::vector<Child> children = SortedChildren(directory);
        const std::size_t first = files_.size();
        files_.append(children.size() * record_size_, '\0');
        for (std::size_t i = 0; i < children.size(); ++i) {
            AddRecord(*children[i].node, children[i].record, first + i * record_size_,
                      static_cast<std::uint32_t>(offset));
        }
        PutLe(directories_, offset + 4, parent, 4);
        PutLe(directories_, offset + 8, children.size(), 4);
        PutLe(directories_, offset + 12, first, 4);
        return Checked32(offset, directory.name);
    }

    static std::vector<Child> SortedChildren(const QvaNode& directory) {
        std::vector<Child> children;
        for (const QvaNode& node : directory.children) {
            children.push_back({&node, LookUpName(node.name)});
        }
        std::stable_sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
            return a.record.words < b.record.words;
        });
        for (std::size_t i = 1; i < children.size(); ++i) {
            if (children[i].record.words == children[i - 1].record.words &&
                children[i].node->directory == children[i - 1].node->directory) {
                throw std::runtime_error(
                    "names differ only in letter case: " + children[i - 1].node->name + ", " +
                    children[i].node->name);
            }
        }
        return children;
    }

    void AddRecord(const QvaNode& node, const layer::NameRecord& name, std::size_t at,
                   std::uint32_t directory_offset) {
        std::uint64_t address = 0;
        std::uint64_t size = 0;
        std::uint64_t compressed_size = layer::kArchiveStored;
        if (node.directory) {
            address = AddDirectory(node, directory_offset);
        } else {
            size = Checked32(node.data.size(), node.name);
            address = Checked32(data_.size(), node.name);
            std::string block;
            if (options_.version >= layer::kArchiveCompressionVersion && !options_.store &&
                !node.data.empty()) {
                block = EncodeQvaLz(node.data);
            }
            if (!block.empty() && block.size() < node.data.size()) {
                compressed_size = block.size();
                data_ += block;
            } else {
                data_ += node.data;
            }
        }
        PutLe(files_, at, AddName(node.name, name), 4);
        PutLe(files_, at + 4, node.directory ? layer::kArchiveDirectoryAttribute : kFileAttribute,
              4);
        for (std::size_t time_field = 8; time_field <= 24; time_field += 8) {
            PutLe(files_, at + time_field, node.file_time, 8);
        }
        PutLe(files_, at + 32, address, 4);
        PutLe(files_, at + 36, size, 4);
        if (record_size_ == layer::kArchiveFileRecordSizeNew) {
            PutLe(files_, at + 40, compressed_size, 4);
        }
    }

    std::uint32_t AddName(const std::string& name, const layer::NameRecord& record) {
        const std::size_t offset = names_.size();
        names_.append(layer::kNameRecordHeaderSize, '\0');
        PutLe(names_, offset, record.word_count, 2);
        PutLe(names_, offset + 2, record.check, 2);
        names_ += record.words;
        names_ += name;
        names_.push_back('\0');
        return Checked32(offset, name);
    }

    const QvaWriteOptions& options_;
    std::size_t record_size_;
    std::string names_;
    std::string files_;
    std::string directories_;
    std::string data_;
};

}  // namespace

std::string WriteQvaArchive(const QvaNode& root, const QvaWriteOptions& options) {
    if (options.version > layer::kArchiveNewestVersion) {
        throw std::runtime_error("archive version must be 0 to 3");
    }
    std::string out = Builder(options).Build(root);
    const layer::ArchiveKey key =
        options.raw_key
            ? *options.raw_key
            : layer::DeriveArchiveKey(options.key_string ? options.key_string->c_str() : nullptr);
    layer::ApplyArchiveKey(out.size(), out.data(), 0, key);
    return out;
}

}  // namespace tools

#include "layer/core/full_path.h"

#include "layer/core/double_byte_text.h"
#include "layer/core/file_operation_table.h"
#include "layer/core/layer_api.h"
#include "layer/core/qva_name_record.h"
#include "platform/file_system.h"

namespace layer {
namespace {

struct FullPathRules {
    bool skip_empty;  // else an empty component fails
    bool network;     // two leading separators keep one
};

bool IsLead(char c) {
    return IsDoubleByteLead(static_cast<unsigned char>(c), kShiftJisCharset);
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && !IsLead(path[0]);
}

// The index of the last separator, two-byte characters stepped over; npos when there is none.
std::size_t LastSeparator(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += IsLead(path[i]) ? 2 : 1) {
        if (IsArchiveSeparator(path[i])) {
            last = i;
        }
    }
    return last;
}

int BuildFullPath(std::string_view path, std::string_view base, FullPathRules rules,
                  std::string* output) {
    std::string_view start = base;
    std::size_t at = 0;
    if (rules.network && path.size() >= 2 && IsArchiveSeparator(path[0]) &&
        IsArchiveSeparator(path[1])) {
        start = "\\";
        at = 2;
    } else if (!path.empty() && IsArchiveSeparator(path[0])) {
        start = HasDrive(base) ? base.substr(0, 2) : std::string_view();
        at = 1;
    } else if (HasDrive(path)) {
        start = path.substr(0, 2);
        at = path.size() > 2 && IsArchiveSeparator(path[2]) ? 3 : 2;
    } else {
        const std::size_t last = LastSeparator(base);
        if (last != std::string_view::npos && last + 1 == base.size()) {
            start.remove_suffix(1);
        }
    }
    std::string result(start);
    const std::size_t floor = HasDrive(result) ? 2 : 0;
    while (at < path.size()) {
        const std::size_t length = ArchiveComponentLength(path.substr(at));
        const std::string_view component = path.substr(at, length);
        if (at + length == path.size()) {
            result += '\\';
            result += component;
            break;
        }
        at += length + 1;
        if (component.empty()) {
            if (!rules.skip_empty) {
                return -1;
            }
        } else if (component == "..") {
            const std::size_t last = LastSeparator(result);
            result.resize(last != std::string::npos && last >= floor ? last : floor);
        } else if (component != ".") {
            result += '\\';
            result += component;
        }
    }
    if (result.size() == floor) {
        result += '\\';
    }
    *output = std::move(result);
    return 0;
}

std::string CurrentDirectory() {
    std::string directory;
    DispatchGetCurrentDir(&directory);
    return directory;
}

}  // namespace

int EndsWithPathSeparator(const char* path) {
    if (path == nullptr || path[0] == '\0')
        return 0;
    const std::string_view text(path);
    return LastSeparator(text) == text.size() - 1 ? 1 : 0;
}

void UpperCasePath(std::string* path) {
    for (std::size_t i = 0; i < path->size(); ++i) {
        char& c = (*path)[i];
        if (IsLead(c)) {
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

int MakeFullPath(const char* path, std::string* output, const char* base) {
    const std::string directory = base != nullptr ? std::string(base) : CurrentDirectory();
    if (path == nullptr) {
        *output = directory;
        return 0;
    }
    return BuildFullPath(path, directory, {false, false}, output);
}

std::string MakeArchiveFullPath(std::string_view path) {
    std::string full;
    BuildFullPath(path, platform::GetCurrentFolder(), {true, true}, &full);
    return full;
}

std::string MakeUpperFullPath(std::string_view path) {
    std::string full = MakeArchiveFullPath(path);
    UpperCasePath(&full);
    return full;
}

}  // namespace layer

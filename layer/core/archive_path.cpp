#include "layer/core/archive_path.h"

#include "layer/core/archive_state.h"
#include "layer/core/double_byte_text.h"
#include "layer/core/full_path.h"

namespace layer {
namespace {

constexpr const char* kDefaultArchiveExtension = "QVA";

void Give(int index, const std::string& archive_path, std::string_view rest, int* cache_index,
          std::string* archive_path_out, std::string* rest_out) {
    *cache_index = index;
    if (archive_path_out != nullptr) {
        *archive_path_out = archive_path;
    }
    if (rest_out != nullptr) {
        *rest_out = std::string(rest);
    }
}

// Whether the upper-cased full path lies under the remembered archive's directory prefix.
bool UnderRememberedPrefix(const CachedArchivePrefix& prefix, const std::string& upper) {
    return prefix.length > 0 && upper.size() > prefix.length &&
           upper.compare(0, prefix.length, prefix.archive_path, 0, prefix.length) == 0 &&
           IsArchiveSeparator(upper[prefix.length]);
}

}  // namespace

int ResolveArchivePath(std::string_view path, int* cache_index, std::string* archive_path,
                       std::string* rest) {
    ArchiveState& state = Archives();
    state.look_up_refusal.clear();
    const std::string full = MakeArchiveFullPath(path);
    std::string upper = full;
    UpperCasePath(&upper);

    CachedArchivePrefix& prefix = state.prefix;
    if (UnderRememberedPrefix(prefix, upper)) {
        const int index =
            OpenCachedArchive(prefix.index, prefix.archive_path, prefix.open_path, 0, 0);
        if (index < 0) {
            return -1;
        }
        prefix.index = index;
        Give(index, prefix.archive_path, std::string_view(upper).substr(prefix.length + 1),
             cache_index, archive_path, rest);
        return 0;
    }

    std::string extension = state.extension.empty() ? kDefaultArchiveExtension : state.extension;
    std::string upper_extension = extension;
    UpperCasePath(&upper_extension);
    // The root separator in front is no component, and the root itself is no candidate.
    std::size_t start = IsArchiveSeparator(upper[0]) ? 1 : 0;
    if (start == 1 && upper.size() > 1 && IsArchiveSeparator(upper[1])) {
        start = 2;
    }
    std::size_t component_start = start;
    for (std::size_t i = start; i < upper.size(); ++i) {
        if (IsDoubleByteLead(static_cast<unsigned char>(upper[i]), kShiftJisCharset)) {
            ++i;
            continue;
        }
        if (!IsArchiveSeparator(upper[i])) {
            continue;
        }
        if (i == component_start) {
            return -1;
        }
        component_start = i + 1;
        const std::string key = upper.substr(0, i) + "." + upper_extension;
        const int index = OpenCachedArchive(-1, key, full.substr(0, i) + "." + extension, 0, 0);
        if (index >= 0) {
            prefix = CachedArchivePrefix{key, full.substr(0, i) + "." + extension, i, index};
            Give(index, key, std::string_view(upper).substr(i + 1), cache_index, archive_path,
                 rest);
            return 0;
        }
    }
    return -1;
}

}  // namespace layer

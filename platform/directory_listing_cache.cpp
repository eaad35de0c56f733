#include "platform/directory_listing_cache.h"

#include <dirent.h>
#include <time.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "platform/name_bytes.h"

namespace platform {
namespace {

// A listing read less than this long after the directory's last change is read again on the
// next look-up: a change within the same timestamp tick would leave the time unchanged.
constexpr std::int64_t kRacyMarginNanoseconds = 2'000'000'000;
// The cache starts afresh past this many directories.
constexpr std::size_t kMaxDirectories = 512;

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t modified_ns = 0;
    std::int64_t listed_at_ns = 0;
    std::unordered_map<std::string, std::string> by_folded_name;

    bool IsCurrentFor(const struct stat& status) const {
        return device == status.st_dev && inode == status.st_ino &&
               modified_ns == Nanoseconds(status.st_mtim) &&
               listed_at_ns - modified_ns >= kRacyMarginNanoseconds;
    }
};

std::mutex cache_mutex;
std::map<std::string, Listing, std::less<>> cache;

std::optional<Listing> ReadListing(const std::string& directory, const struct stat& status) {
    DIR* stream = opendir(directory.c_str());
    if (stream == nullptr)
        return std::nullopt;
    Listing listing;
    listing.device = status.st_dev;
    listing.inode = status.st_ino;
    listing.modified_ns = Nanoseconds(status.st_mtim);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    listing.listed_at_ns = Nanoseconds(now);
    while (const dirent* entry = readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        auto [slot, inserted] = listing.by_folded_name.try_emplace(FoldDiskName(name), name);
        if (!inserted && name < slot->second)
            slot->second = name;
    }
    closedir(stream);
    return listing;
}

}  // namespace

std::optional<std::string> FindFoldedName(const std::string& directory,
                                          const struct stat& directory_status,
                                          std::initializer_list<std::string_view> folded_keys) {
    std::lock_guard lock(cache_mutex);
    auto slot = cache.find(directory);
    if (slot == cache.end() || !slot->second.IsCurrentFor(directory_status)) {
        std::optional<Listing> fresh = ReadListing(directory, directory_status);
        if (!fresh)
            return std::nullopt;
        if (slot == cache.end()) {
            if (cache.size() >= kMaxDirectories)
                cache.clear();
            slot = cache.emplace(directory, std::move(*fresh)).first;
        } else {
            slot->second = std::move(*fresh);
        }
    }
    for (const std::string_view key : folded_keys) {
        const auto found = slot->second.by_folded_name.find(std::string(key));
        if (found != slot->second.by_folded_name.end())
            return found->second;
    }
    return std::nullopt;
}

}  // namespace platform

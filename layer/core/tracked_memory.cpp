#include "layer/core/tracked_memory.h"

#include <algorithm>
#include <atomic>
#include <cinttypes>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory_texts.h"

namespace layer {
namespace {

static_assert(alignof(std::max_align_t) >= 16 && kTrackedHeaderSize % 16 == 0);
static_assert(offsetof(TrackedBlockHeader, copy) == kTrackedFieldBytes);

// The header's size field is 32 bits wide; anything larger fails like an exhausted heap.
constexpr std::size_t kMaxTrackedSize = UINT32_MAX - kTrackedHeaderSize;
constexpr std::size_t kNameBytes = sizeof(TrackedBlockHeader::name) - 1;
constexpr std::size_t kShownDataBytes = 16;

// The list runs from the newest block to a sentinel that stays at its end. The mutex is never
// held while logging, because the log allocates from here.
std::mutex list_mutex;
TrackedBlockHeader sentinel{};
TrackedBlockHeader* head = nullptr;
std::uint16_t serial_counter = 0;
TrackedTotals totals;
std::atomic<bool> fail_next{false};

void* BlockOf(TrackedBlockHeader* header) {
    return reinterpret_cast<char*>(header) + kTrackedHeaderSize;
}

TrackedBlockHeader* HeaderOf(void* block) {
    return reinterpret_cast<TrackedBlockHeader*>(static_cast<char*>(block) - kTrackedHeaderSize);
}

void RefreshCopy(TrackedBlockHeader* header) {
    if (header != nullptr) {
        std::memcpy(header->copy, header, kTrackedFieldBytes);
    }
}

bool MatchesCopy(const TrackedBlockHeader* header) {
    return std::memcmp(header->copy, header, kTrackedFieldBytes) == 0;
}

// Name, line and a new serial; called with the list locked.
void StampHeader(TrackedBlockHeader* header, const char* file, int line) {
    std::memset(header->name, 0, sizeof(header->name));
    if (file != nullptr) {
        const std::size_t length = std::strlen(file);
        const std::size_t kept = std::min(length, kNameBytes);
        std::memcpy(header->name, file + length - kept, kept);
    }
    header->line = static_cast<std::uint16_t>(line);
    header->serial = serial_counter++;
}

bool RefusesSize(std::size_t size) {
    return size > kMaxTrackedSize || fail_next.exchange(false);
}

// "\tsize:…  data:<ABC…> [41 42 43 …]" with the first bytes of the block; called with the
// list locked. The name is read bounded, since the header may have been overwritten.
std::string FormatBlockLine(TrackedBlockHeader* header) {
    const auto* data = static_cast<const unsigned char*>(BlockOf(header));
    char text[160];
    const int length =
        std::snprintf(text, sizeof(text),
                      "\tsize:%u(%.3fkb)  file:%.15s  line:%d  ID:%d  addr:%016" PRIxPTR "  data:<",
                      header->size, header->size / 1024.0, header->name, header->line,
                      header->serial, reinterpret_cast<std::uintptr_t>(data));
    std::string line(text, static_cast<std::size_t>(length));
    // An overwritten size must not make the line read past the block: the copy bounds it too.
    std::uint32_t copied_size = 0;
    std::memcpy(&copied_size, header->copy + offsetof(TrackedBlockHeader, size),
                sizeof(copied_size));
    const std::size_t shown = std::min<std::size_t>({header->size, copied_size, kShownDataBytes});
    for (std::size_t i = 0; i < shown; ++i) {
        line += data[i] < 0x20 || data[i] > 0x7F ? '.' : static_cast<char>(data[i]);
    }
    line += "> [";
    for (std::size_t i = 0; i < shown; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof(pair), "%02x ", data[i]);
        line += pair;
    }
    // The last separator, or the opening bracket of an empty block, becomes the closing one.
    line.back() = ']';
    line += '\n';
    return line;
}

std::string FormatTotalsLine(const TrackedTotals& current) {
    char text[96];
    std::snprintf(text, sizeof(text), "\tTotal size:%zu(%.3fkb)  Alloc num:%zu\n", current.size,
                  current.size / 1024.0, current.count);
    return text;
}

void LogZeroSizeBlock(const char* action, const std::string& line) {
    WriteLog(action);
    WriteLog(line.c_str());
}

void* AllocateBlock(std::size_t size, const char* file, int line, bool zeroed) {
    void* memory = nullptr;
    if (!RefusesSize(size)) {
        const std::size_t bytes = kTrackedHeaderSize + size;
        memory = zeroed ? std::calloc(1, bytes) : std::malloc(bytes);
    }
    if (memory == nullptr) {
        DumpTrackedBlocks();
        CheckTrackedBlocks();
        return nullptr;
    }
    auto* header = static_cast<TrackedBlockHeader*>(memory);
    std::memset(header, 0, kTrackedFieldBytes);
    header->size = static_cast<std::uint32_t>(size);
    std::string zero_size_line;
    {
        std::lock_guard lock(list_mutex);
        StampHeader(header, file, line);
        if (head == nullptr) {
            head = &sentinel;
        }
        head->previous = header;
        header->next = head;
        head = header;
        RefreshCopy(header);
        RefreshCopy(header->next);
        totals.size += size;
        ++totals.count;
        if (size == 0) {
            zero_size_line = FormatBlockLine(header);
        }
    }
    if (size == 0) {
        LogZeroSizeBlock("mem alloc  ", zero_size_line);
    }
    return BlockOf(header);
}

}  // namespace

void* AllocTracked(std::size_t size, const char* file, int line) {
    return AllocateBlock(size, file, line, false);
}

void* AllocTrackedZeroed(std::size_t size, const char* file, int line) {
    return AllocateBlock(size, file, line, true);
}

void* ReallocTracked(void* block, std::size_t size, const char* file, int line) {
    if (block == nullptr) {
        return AllocTracked(size, file, line);
    }
    TrackedBlockHeader* moved = nullptr;
    std::string zero_size_line;
    {
        // Locked across the resize: the neighbours point at the old address until relinked.
        std::lock_guard lock(list_mutex);
        TrackedBlockHeader* header = HeaderOf(block);
        const std::size_t old_size = header->size;
        if (!RefusesSize(size)) {
            moved =
                static_cast<TrackedBlockHeader*>(std::realloc(header, kTrackedHeaderSize + size));
        }
        if (moved != nullptr) {
            if (size > old_size) {
                std::memset(static_cast<char*>(BlockOf(moved)) + old_size, 0, size - old_size);
            }
            StampHeader(moved, file, line);
            moved->next->previous = moved;
            if (moved->previous != nullptr) {
                moved->previous->next = moved;
            } else {
                head = moved;
            }
            totals.size = totals.size - old_size + size;
            moved->size = static_cast<std::uint32_t>(size);
            RefreshCopy(moved);
            RefreshCopy(moved->next);
            RefreshCopy(moved->previous);
            if (size == 0) {
                zero_size_line = FormatBlockLine(moved);
            }
        }
    }
    if (moved == nullptr) {
        DumpTrackedBlocks();
        return nullptr;
    }
    if (size == 0) {
        LogZeroSizeBlock("mem realloc  ", zero_size_line);
    }
    return BlockOf(moved);
}

int FreeTracked(void* block) {
    if (block == nullptr) {
        return 0;
    }
    TrackedBlockHeader* header = HeaderOf(block);
    std::string zero_size_line;
    {
        std::lock_guard lock(list_mutex);
        totals.size -= header->size;
        --totals.count;
        header->next->previous = header->previous;
        if (header->previous != nullptr) {
            header->previous->next = header->next;
        } else {
            head = header->next;
        }
        RefreshCopy(header->next);
        RefreshCopy(header->previous);
        if (header->size == 0) {
            zero_size_line = FormatBlockLine(header);
        }
    }
    if (!zero_size_line.empty()) {
        LogZeroSizeBlock("mem free  ", zero_size_line);
    }
    std::free(header);
    return 1;
}

int FreeHeldBlock(HeldBlock* held) {
    FreeTracked(held->block);
    *held = HeldBlock{};
    return 0;
}

int DumpTrackedBlocks() {
    std::vector<std::string> lines;
    {
        std::lock_guard lock(list_mutex);
        for (TrackedBlockHeader* header = head; header != nullptr && header != &sentinel;
             header = header->next) {
            lines.push_back(FormatBlockLine(header));
        }
        lines.push_back(FormatTotalsLine(totals));
    }
    WriteLog("\n");
    WriteLog("Alloc memory dump\n");
    for (const std::string& line : lines) {
        WriteLog(line.c_str());
    }
    WriteLog("\n");
    return -1;
}

int CheckTrackedBlocks() {
    std::string broken_line;
    {
        std::lock_guard lock(list_mutex);
        for (TrackedBlockHeader* header = head; header != nullptr && header != &sentinel;
             header = header->next) {
            if (!MatchesCopy(header)) {
                broken_line = FormatBlockLine(header);
                break;
            }
        }
    }
    if (broken_line.empty()) {
        return 0;
    }
    WriteLog(kCorruptHeaderText);
    WriteLog(broken_line.c_str());
    return -1;
}

TrackedTotals ReadTrackedTotals() {
    std::lock_guard lock(list_mutex);
    return totals;
}

void FailNextTrackedAllocation() {
    fail_next.store(true);
}

}  // namespace layer

// Web requests over HTTP/1.0: GET, POST and HEAD, each a few steps run from the pump.
#include "layer/core/http_slots.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "layer/core/layer_log.h"
#include "layer/core/network.h"
#include "layer/core/network_state.h"
#include "layer/core/network_texts.h"
#include "layer/core/number_routines.h"
#include "layer/core/tracked_memory.h"

namespace layer {
namespace {

constexpr int kLinePeekSize = 255;
constexpr int kBodyPieceSize = 4096;
constexpr const char kContentLength[] = "Content-Length:";
constexpr int kStatusOk = 200;
constexpr int kStatusNotFound = 404;

// Where the pieces of a body written to a file pass through.
std::uint8_t body_piece[kBodyPieceSize];

enum class Step { kWait, kNext };

bool IsConnected(int handle) {
    const SocketRecord* record = socket_table.Find(handle);
    return record != nullptr && record->connected != 0;
}

bool HoldsData(int handle) {
    return socket_table.Find(handle) != nullptr && GetNetWorkDataLength(handle) > 0;
}

template <typename... Values>
std::string Formatted(const char* format, Values... values) {
    const int size = std::snprintf(nullptr, 0, format, values...);
    std::string text(static_cast<std::size_t>(std::max(size, 0)) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, values...);
    text.pop_back();
    return text;
}

}  // namespace

bool ReadHttpLine(HttpSlot& slot, std::string* line) {
    char peeked[kLinePeekSize];
    const int count = NetWorkRecvToPeek(slot.handle, peeked, kLinePeekSize);
    if (count <= 0) {
        return false;
    }
    const char* end = static_cast<const char*>(std::memchr(peeked, '\n', count));
    if (end == nullptr) {
        return false;
    }
    const int length = static_cast<int>(end - peeked) + 1;
    NetWorkRecv(slot.handle, peeked, length);
    line->assign(peeked, static_cast<std::size_t>(length - 1));
    return true;
}

int ParseIntAfterSpace(const std::string& text) {
    const std::size_t space = text.find(' ');
    return space == std::string::npos ? -1 : ParseInt(text.c_str() + space + 1);
}

namespace {

Step SendRequest(HttpSlot& slot) {
    std::string request;
    if (slot.method == kHttpGet) {
        request = Formatted(kHttpGetFormat, slot.path.c_str(), slot.host.c_str(), slot.port);
    } else if (slot.method == kHttpPost) {
        request = Formatted(kHttpPostFormat, slot.path.c_str(), slot.host.c_str(), slot.port,
                            slot.post_size);
        request.append(reinterpret_cast<const char*>(slot.post_data),
                       static_cast<std::size_t>(slot.post_size));
    } else {
        request = Formatted(kHttpHeadFormat, slot.path.c_str());
    }
    NetWorkSend(slot.handle, request.data(), static_cast<int>(request.size()));
    slot.state = 1;
    return Step::kNext;
}

Step ReadStatus(int index) {
    HttpSlot& slot = network_state.http_slots[index];
    std::string line;
    if (!ReadHttpLine(slot, &line)) {
        return Step::kWait;
    }
    const int status = ParseIntAfterSpace(line);
    if (status != kStatusOk) {
        if (slot.method == kHttpGet) {
            WriteLogFormat(kHttpStatusFailedFormat, status);
        }
        FinishHttpSlot(index, kHttpFailed, status == kStatusNotFound ? kHttpNotFound : 0);
        return Step::kWait;
    }
    slot.state = 2;
    return Step::kNext;
}

// Sets the content length; a body to memory gets its block now. False when that fails.
bool TakeContentLength(int index, const std::string& line) {
    HttpSlot& slot = network_state.http_slots[index];
    slot.content_length = std::max(ParseIntAfterSpace(line), -1);
    if (slot.destination != kHttpToMemory || slot.content_length < 0) {
        return true;
    }
    if (*slot.memory != nullptr) {
        FreeTracked(*slot.memory);
    }
    *slot.memory = AllocTracked(static_cast<std::size_t>(std::max(slot.content_length, 1)),
                                __FILE__, __LINE__);
    if (*slot.memory == nullptr) {
        FinishHttpSlot(index, kHttpFailed, kHttpNoMemory);
        return false;
    }
    return true;
}

bool StartsWithContentLength(const std::string& line) {
    return line.compare(0, sizeof kContentLength - 1, kContentLength) == 0;
}

// One header line per pass; the line without ":" that ends the header moves on to the body.
Step ReadHeaderLine(int index) {
    HttpSlot& slot = network_state.http_slots[index];
    std::string line;
    if (!ReadHttpLine(slot, &line)) {
        return Step::kWait;
    }
    if (line.find(':') == std::string::npos) {
        slot.state = 3;
        return Step::kNext;
    }
    if (StartsWithContentLength(line)) {
        TakeContentLength(index, line);
    }
    return Step::kWait;
}

bool BodyComplete(const HttpSlot& slot) {
    if (slot.content_length >= 0) {
        return slot.received >= slot.content_length;
    }
    return !IsConnected(slot.handle) && !HoldsData(slot.handle);
}

int BodyWanted(const HttpSlot& slot, int most) {
    return slot.content_length >= 0 ? std::min(most, slot.content_length - slot.received) : most;
}

void ReceiveToFile(HttpSlot& slot) {
    while (!BodyComplete(slot)) {
        const int received = NetWorkRecv(slot.handle, body_piece, BodyWanted(slot, kBodyPieceSize));
        if (received <= 0) {
            return;
        }
        slot.file.Write(body_piece, static_cast<std::size_t>(received));
        slot.received += received;
    }
}

// Without a content length the block grows a piece at a time. False when it cannot grow.
bool ReceiveToMemory(HttpSlot& slot) {
    while (!BodyComplete(slot)) {
        if (slot.content_length < 0) {
            void* grown = ReallocTracked(*slot.memory,
                                         static_cast<std::size_t>(slot.received + kBodyPieceSize),
                                         __FILE__, __LINE__);
            if (grown == nullptr) {
                return false;
            }
            *slot.memory = grown;
        }
        auto* block = static_cast<std::uint8_t*>(*slot.memory);
        const int received =
            NetWorkRecv(slot.handle, block + slot.received, BodyWanted(slot, kBodyPieceSize));
        if (received <= 0) {
            return true;
        }
        slot.received += received;
    }
    return true;
}

Step ReceiveBody(int index) {
    HttpSlot& slot = network_state.http_slots[index];
    if (slot.destination == kHttpToFile) {
        ReceiveToFile(slot);
    } else if (!ReceiveToMemory(slot)) {
        FinishHttpSlot(index, kHttpFailed, kHttpNoMemory);
        return Step::kWait;
    }
    if (!BodyComplete(slot)) {
        return Step::kWait;
    }
    slot.state = 4;
    return Step::kNext;
}

}  // namespace

int RunHttpGet(int index) {
    HttpSlot& slot = network_state.http_slots[index];
    if (slot.state == 0 && SendRequest(slot) == Step::kWait) {
        return 0;
    }
    if (slot.state == 1 && ReadStatus(index) == Step::kWait) {
        return 0;
    }
    if (slot.state == 2 && ReadHeaderLine(index) == Step::kWait) {
        return 0;
    }
    if (slot.state == 3 && ReceiveBody(index) == Step::kWait) {
        return 0;
    }
    if (slot.state == 4) {
        FinishHttpSlot(index, kHttpDone, 0);
    }
    return 0;
}

int RunHttpPost(int index) {
    return RunHttpGet(index);
}

// The reply's status and its first header line only.
int RunHttpHead(int index) {
    HttpSlot& slot = network_state.http_slots[index];
    if (slot.state == 0 && SendRequest(slot) == Step::kWait) {
        return 0;
    }
    if (slot.state == 1 && ReadStatus(index) == Step::kWait) {
        return 0;
    }
    std::string line;
    if (slot.state == 2 && ReadHttpLine(slot, &line)) {
        if (StartsWithContentLength(line)) {
            slot.content_length = std::max(ParseIntAfterSpace(line), -1);
        }
        FinishHttpSlot(index, kHttpDone, 0);
    }
    return 0;
}

int UpdateHttpSlot(int index) {
    HttpSlot& slot = network_state.http_slots[index];
    if (slot.result != kHttpRunning) {
        return 0;
    }
    if (!IsConnected(slot.handle) && !HoldsData(slot.handle)) {
        // A body without a content length ends with its connection.
        if (slot.state == 3 && slot.content_length < 0) {
            return FinishHttpSlot(index, kHttpDone, 0);
        }
        return FinishHttpSlot(index, kHttpFailed, kHttpConnectionLost);
    }
    if (slot.method == kHttpHead) {
        return RunHttpHead(index);
    }
    return slot.method == kHttpPost ? RunHttpPost(index) : RunHttpGet(index);
}

int FinishHttpSlot(int index, int result, int detail) {
    HttpSlot& slot = network_state.http_slots[index];
    if (slot.handle != -1) {
        CloseNetworkHandle(slot.handle);
        slot.handle = -1;
    }
    if (slot.post_data != nullptr) {
        FreeTracked(slot.post_data);
        slot.post_data = nullptr;
    }
    if (slot.file.IsOpen()) {
        slot.file.Close();
    }
    if (slot.result == kHttpRunning) {
        slot.result = result;
        slot.detail = detail;
    }
    if (slot.result != kHttpDone && slot.destination == kHttpToMemory && slot.memory != nullptr &&
        *slot.memory != nullptr) {
        FreeTracked(*slot.memory);
        *slot.memory = nullptr;
    }
    return 0;
}

int UpdateHttpSlots() {
    if (network_state.started == 0) {
        return 0;
    }
    for (int index = 0; index < kHttpSlotCount; ++index) {
        if (network_state.http_slots[index].in_use != 0) {
            UpdateHttpSlot(index);
        }
    }
    return 0;
}

int DeleteHttpSlot(int index) {
    if (index < 0 || index >= kHttpSlotCount || network_state.http_slots[index].in_use == 0) {
        return -1;
    }
    FinishHttpSlot(index, kHttpFailed, 0);
    network_state.http_slots[index] = {};
    --network_state.http_slot_count;
    return 0;
}

int DeleteAllHttpSlots() {
    for (int index = 0; index < kHttpSlotCount && network_state.http_slot_count > 0; ++index) {
        if (network_state.http_slots[index].in_use != 0) {
            DeleteHttpSlot(index);
        }
    }
    return 0;
}

}  // namespace layer

// Starting the network, connecting and opening web requests: entries for tests only.
#include "layer/core/network_start.h"

#include <cstring>
#include <optional>
#include <utility>

#include "layer/core/network.h"
#include "layer/core/network_state.h"
#include "layer/core/network_texts.h"
#include "layer/core/time_routines.h"
#include "layer/core/tracked_memory.h"
#include "platform/file_system.h"
#include "platform/sockets.h"

namespace layer {
namespace {

constexpr int kConnectWaitMilliseconds = 1000;
constexpr int kConnectEvents = platform::kSocketRead | platform::kSocketWrite |
                               platform::kSocketClose | platform::kSocketConnect;

bool WaitForConnection(int handle) {
    const int start = ReadMillisecondClock();
    while (ReadMillisecondClock() - start < kConnectWaitMilliseconds) {
        PumpNetworkMessages(0);
        const SocketRecord* record = socket_table.Find(handle);
        if (record != nullptr && record->connected != 0) {
            return true;
        }
    }
    return false;
}

int FirstFreeHttpSlot() {
    for (int index = 0; index < kHttpSlotCount; ++index) {
        if (network_state.http_slots[index].in_use == 0) {
            return index;
        }
    }
    return -1;
}

}  // namespace

int StartNetwork(int port) {
    if (network_state.started != 0) {
        return -1;
    }
    ClearNetworkState();
    int bound_port = 0;
    const platform::Socket listener = platform::ListenOnLoopback(port, &bound_port);
    if (listener == platform::kNoSocket) {
        return -1;
    }
    platform::SelectSocketEvents(listener, platform::kSocketAccept);
    platform::OpenSocketEventQueue();
    network_state.listener = listener;
    network_state.started = 1;
    return bound_port;
}

int ConnectNetWork(const char* host, int port) {
    platform::Ipv4Address address{};
    if (network_state.started == 0 || !platform::ResolveHost(host, &address)) {
        return -1;
    }
    SocketRecord* record = nullptr;
    const int handle = socket_table.AddFirstFree(&record);
    if (handle == -1) {
        return -1;
    }
    record->in_use = 1;
    record->framing = network_state.raw_data_setting == 0 ? 1 : 0;
    record->auto_close = network_state.keep_lost_setting == 0 ? 1 : 0;
    record->peer_address = address;
    record->peer_port = port;
    LinkHandleNode(&network_state.head, &record->node, handle, record);
    record->socket = platform::StartConnection(address, port);
    if (record->socket != platform::kNoSocket &&
        platform::SelectSocketEvents(record->socket, kConnectEvents) && WaitForConnection(handle)) {
        return handle;
    }
    LogNetworkError(kConnectFailedText);
    if (record->socket == platform::kNoSocket) {
        UnlinkHandleNode(&record->node);
        socket_table.Remove(handle);
    } else {
        CloseNetworkHandle(handle);
    }
    return -1;
}

int CreateHttpSlot(const HttpRequest& request) {
    const int index = FirstFreeHttpSlot();
    if (network_state.started == 0 || index == -1) {
        return -1;
    }
    // The slot closes its own connection; the bytes of a reply pass as they are.
    const int raw_data = network_state.raw_data_setting;
    const int keep_lost = network_state.keep_lost_setting;
    network_state.raw_data_setting = 1;
    network_state.keep_lost_setting = 1;
    const int handle = ConnectNetWork(request.host.c_str(), request.port);
    network_state.raw_data_setting = raw_data;
    network_state.keep_lost_setting = keep_lost;
    if (handle == -1) {
        return -1;
    }
    HttpSlot& slot = network_state.http_slots[index];
    slot = {};
    if (request.memory == nullptr) {
        std::optional<platform::File> file = platform::CreateFileForWrite(request.file_path);
        if (!file) {
            CloseNetworkHandle(handle);
            return -1;
        }
        slot.file = std::move(*file);
    } else {
        slot.destination = kHttpToMemory;
        slot.memory = request.memory;
        *slot.memory = nullptr;
    }
    slot.in_use = 1;
    slot.method = request.method;
    slot.handle = handle;
    slot.host = request.host;
    slot.path = request.path;
    slot.port = request.port;
    if (!request.post_data.empty()) {
        slot.post_size = static_cast<int>(request.post_data.size());
        slot.post_data =
            static_cast<std::uint8_t*>(AllocTracked(request.post_data.size(), __FILE__, __LINE__));
        if (slot.post_data == nullptr) {
            CloseNetworkHandle(handle);
            slot = {};
            return -1;
        }
        std::memcpy(slot.post_data, request.post_data.data(), request.post_data.size());
    }
    ++network_state.http_slot_count;
    return index;
}

}  // namespace layer

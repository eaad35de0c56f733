// Connections over sockets, their ring buffers and message framing, and the pump's part.
#include "layer/core/network.h"

#include <algorithm>
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/core/network_state.h"
#include "layer/core/network_texts.h"
#include "layer/core/ring_buffer.h"
#include "layer/core/time_routines.h"
#include "platform/sockets.h"

namespace layer {

NetworkState network_state;
SocketTable socket_table;

namespace {

constexpr int kAcceptedEvents =
    platform::kSocketRead | platform::kSocketWrite | platform::kSocketClose;
constexpr int kCloseWaitMilliseconds = 1000;
constexpr int kPrefixSize = 4;
// A length prefix above this is taken as a failed connection, not as a message to make room
// for.
constexpr std::uint32_t kLargestMessage = 0x7FFFFFFF - 0x10000;

// The record of a handle for an operation: logs and gives null for a handle without one or
// with its error flag set. error_name is the name the error line gives the operation.
SocketRecord* RecordFor(int handle, const char* name, const char* error_name) {
    SocketRecord* record = socket_table.Find(handle);
    if (record == nullptr) {
        WriteLogFormat(kNotNetworkHandleFormat, name);
        return nullptr;
    }
    if (record->error != 0) {
        WriteLogFormat(kNetworkHandleErrorFormat, error_name);
        return nullptr;
    }
    return record;
}

SocketRecord* RecordFor(int handle, const char* name) {
    return RecordFor(handle, name, name);
}

int FindHandleOfSocket(platform::Socket socket) {
    for (HandleNode* node = network_state.head.next; node != &network_state.tail;
         node = node->next) {
        if (static_cast<SocketRecord*>(node->data)->socket == socket) {
            return node->handle;
        }
    }
    return -1;
}

std::uint32_t ReadPrefix(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void WritePrefix(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < kPrefixSize; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Receives into the ring's free space behind the write offset, up to n bytes and the ring's
// end; what the socket gave.
int ReceiveIntoRing(SocketRecord* record, int n) {
    RingBuffer& ring = record->receive;
    const int room = std::min(n, ring.capacity - ring.write);
    const int received =
        platform::ReceiveBytes(record->socket, ring.buffer + ring.write, room, false);
    if (received > 0) {
        ring.write += received;
        ring.held += received;
        NormalizeRingBuffer(&ring);
    }
    return received;
}

// Starts the next framed message once its whole length prefix is there; false when it is not
// (or the ring cannot take the message: the record then fails).
bool StartMessage(SocketRecord* record) {
    std::uint8_t prefix[kPrefixSize];
    if (platform::ReceiveBytes(record->socket, prefix, kPrefixSize, true) != kPrefixSize) {
        return false;
    }
    platform::ReceiveBytes(record->socket, prefix, kPrefixSize, false);
    const std::uint32_t length = ReadPrefix(prefix);
    const int size = static_cast<int>(std::min<std::uint32_t>(length, kLargestMessage));
    if (length > kLargestMessage || GrowRingBuffer(&record->receive, size) == -1) {
        WriteLogFormat(kReceiveRingFailedFormat, static_cast<int>(length));
        record->error = 1;
        return false;
    }
    record->receive_left = size;
    record->message_size = size;
    return true;
}

void ReceiveMessages(SocketRecord* record) {
    while (true) {
        if (record->receive_left == 0 && !StartMessage(record)) {
            return;
        }
        if (record->receive_left > 0) {
            const int received = ReceiveIntoRing(record, record->receive_left);
            if (received <= 0) {
                return;
            }
            record->receive_left -= received;
        }
        if (record->receive_left == 0) {
            record->received_bytes += record->message_size;
        }
    }
}

// Sends from the ring's read offset up to n bytes and the ring's end; what the socket took.
int SendFromRing(SocketRecord* record, int n) {
    RingBuffer& ring = record->send;
    const int part = std::min(n, ring.capacity - ring.read);
    const int sent = platform::SendBytes(record->socket, ring.buffer + ring.read, part);
    if (sent > 0) {
        ring.read += sent;
        ring.held -= sent;
        NormalizeRingBuffer(&ring);
    }
    return sent;
}

// Sends the prefix left, then the message in progress, then starts the next one from what is
// queued, until the socket takes no more.
void SendMessages(SocketRecord* record) {
    while (true) {
        if (record->prefix_left > 0) {
            const int sent = platform::SendBytes(
                record->socket, record->prefix.data() + kPrefixSize - record->prefix_left,
                record->prefix_left);
            if (sent <= 0) {
                return;
            }
            record->prefix_left -= sent;
        } else if (record->send_left > 0) {
            const int sent = SendFromRing(record, record->send_left);
            if (sent <= 0) {
                return;
            }
            record->send_left -= sent;
        } else if (record->send.held > 0) {
            record->send_left = record->send.held;
            if (record->framing != 0) {
                WritePrefix(record->prefix.data(), static_cast<std::uint32_t>(record->send_left));
                record->prefix_left = kPrefixSize;
            }
        } else {
            return;
        }
    }
}

bool MessageInProgress(const SocketRecord* record) {
    return record->receive_left > 0;
}

bool SendingLeft(const SocketRecord* record) {
    return record->prefix_left > 0 || record->send_left > 0 || record->send.held > 0;
}

// Keeps one direction going for at most a second; stops early when the notices can no longer
// come.
template <typename Step, typename Left>
void FinishWithin(int handle, Step step, Left left) {
    const int start = ReadMillisecondClock();
    while (ReadMillisecondClock() - start < kCloseWaitMilliseconds) {
        SocketRecord* record = socket_table.Find(handle);
        if (record == nullptr || !left(record)) {
            return;
        }
        step(handle);
        if (PumpNetworkMessages(0) == -1) {
            return;
        }
    }
}

int ReceivePlain(SocketRecord* record, void* buffer, int n, bool peek) {
    return platform::ReceiveBytes(record->socket, buffer, n, peek);
}

int TakeReceived(int handle, void* buffer, int n, int peek, const char* name) {
    if (network_state.started == 0) {
        return -1;
    }
    SocketRecord* record = RecordFor(handle, name);
    if (record == nullptr || n < 0) {
        return -1;
    }
    if (record->framing == 0) {
        return ReceivePlain(record, buffer, n, peek != 0);
    }
    RecvSocket(handle);
    if (record->received_bytes < n || ReadRingBuffer(&record->receive, n, buffer, peek) == -1) {
        return -1;
    }
    if (peek == 0) {
        record->received_bytes -= n;
    }
    return 0;
}

}  // namespace

int ClearNetworkState() {
    socket_table.Reset();
    network_state = {};
    ResetHandleList(&network_state.head, &network_state.tail);
    return 0;
}

int LogNetworkError(const char* text) {
    if (network_state.started == 0) {
        return -1;
    }
    WriteLogFormat(kNetworkErrorFormat, text, platform::LastSocketError());
    return 0;
}

int AcceptNetWork() {
    if (network_state.started == 0) {
        return -1;
    }
    if (socket_table.count() == SocketTable::kSize) {
        WriteLog(kNoFreeSocketText);
        return -1;
    }
    SocketRecord* record = nullptr;
    const int handle = socket_table.AddFirstFree(&record);
    if (handle == -1) {
        WriteLog(kSocketNoMemoryText);
        return -1;
    }
    record->in_use = 1;
    record->connected = 1;
    record->framing = network_state.raw_data_setting == 0 ? 1 : 0;
    record->auto_close = network_state.keep_lost_setting == 0 ? 1 : 0;
    LinkHandleNode(&network_state.head, &record->node, handle, record);
    record->socket = platform::AcceptConnection(network_state.listener, &record->peer_address,
                                                &record->peer_port);
    if (record->socket == platform::kNoSocket) {
        LogNetworkError(kAcceptFailedText);
    } else if (!platform::SelectSocketEvents(record->socket, kAcceptedEvents)) {
        WriteLog(kAcceptSelectFailedText);
        platform::CloseSocket(record->socket);
    } else {
        return handle;
    }
    UnlinkHandleNode(&record->node);
    socket_table.Remove(handle);
    return -1;
}

int GetNetWorkAcceptState(int handle) {
    if (network_state.started == 0) {
        return -1;
    }
    SocketRecord* record = RecordFor(handle, "GetNetWorkAcceptState", "GetNetWorkAcceptStateh");
    if (record == nullptr) {
        return -1;
    }
    if (record->connected != 0) {
        return 1;
    }
    record->loss_noticed = 1;
    return 0;
}

int NetWorkRecv(int handle, void* buffer, int n) {
    return TakeReceived(handle, buffer, n, 0, "NetWorkRecv");
}

int NetWorkRecvToPeek(int handle, void* buffer, int n) {
    return TakeReceived(handle, buffer, n, 1, "NetWorkRecvToPeek");
}

int NetWorkSend(int handle, const void* data, int n) {
    if (network_state.started == 0) {
        return -1;
    }
    SocketRecord* record = RecordFor(handle, "NetWorkSend");
    if (record == nullptr) {
        return -1;
    }
    if (AppendRingBuffer(&record->send, data, n) == -1) {
        WriteLogFormat(kSendAppendFailedFormat, n);
        return -1;
    }
    SendSocket(handle);
    return 0;
}

int GetNetWorkDataLength(int handle) {
    if (network_state.started == 0) {
        return -1;
    }
    SocketRecord* record = RecordFor(handle, "GetNetWorkDataLength");
    if (record == nullptr) {
        return -1;
    }
    if (record->framing == 0) {
        std::uint8_t byte = 0;
        return ReceivePlain(record, &byte, 1, true) == 1 ? 1 : 0;
    }
    return record->received_bytes;
}

int RecvSocket(int handle) {
    if (network_state.started == 0) {
        return -1;
    }
    SocketRecord* record = RecordFor(handle, "RecvSocket");
    if (record == nullptr) {
        return -1;
    }
    if (record->framing == 0 || network_state.receive_busy != 0) {
        return 0;
    }
    network_state.receive_busy = 1;
    ReceiveMessages(record);
    network_state.receive_busy = 0;
    return 0;
}

int SendSocket(int handle) {
    if (network_state.started == 0) {
        return -1;
    }
    SocketRecord* record = RecordFor(handle, "SendSocket");
    if (record == nullptr) {
        return -1;
    }
    if (network_state.send_busy != 0) {
        return 0;
    }
    network_state.send_busy = 1;
    SendMessages(record);
    network_state.send_busy = 0;
    return 0;
}

int CloseNetworkHandle(int handle) {
    if (network_state.started == 0 || socket_table.Find(handle) == nullptr) {
        return -1;
    }
    FinishWithin(handle, RecvSocket, MessageInProgress);
    FinishWithin(handle, SendSocket, SendingLeft);
    SocketRecord* record = socket_table.Find(handle);
    if (record == nullptr) {
        return -1;
    }
    platform::SelectSocketEvents(record->socket, 0);
    platform::CloseSocket(record->socket);
    FreeRingBuffer(&record->receive);
    FreeRingBuffer(&record->send);
    UnlinkHandleNode(&record->node);
    socket_table.Remove(handle);
    return 0;
}

int HandleSocketEvent(const platform::Message& message) {
    if (network_state.started == 0) {
        return -1;
    }
    const int event = message.event & 0xFFFF;
    const int error = message.event >> 16;
    if (event == platform::kSocketAccept) {
        AcceptNetWork();
        return 0;
    }
    const int handle = FindHandleOfSocket(message.value);
    SocketRecord* record = socket_table.Find(handle);
    if (record == nullptr) {
        WriteLog(kNoRecordForEventText);
        return -1;
    }
    switch (event) {
        case platform::kSocketRead:
            RecvSocket(handle);
            break;
        case platform::kSocketWrite:
            SendSocket(handle);
            break;
        case platform::kSocketConnect:
            if (error == 0) {
                record->connected = 1;
            }
            break;
        case platform::kSocketClose:
            record->connected = 0;
            record->loss_noticed = 0;
            break;
        default:
            break;
    }
    return 0;
}

int PumpNetworkMessages(int close_flag) {
    if (network_state.started == 0 || !platform::IsSocketEventQueueOpen()) {
        return 0;
    }
    if (close_flag == 1) {
        HandleNode* node = network_state.head.next;
        while (node != &network_state.tail) {
            const SocketRecord* record = static_cast<SocketRecord*>(node->data);
            const int handle = node->handle;
            node = node->next;
            const bool lost =
                record->connected == 0 && record->loss_noticed != 0 && record->auto_close != 0;
            if (record->error != 0 || lost) {
                CloseNetworkHandle(handle);
            }
        }
    }
    platform::CollectSocketEvents();
    platform::SocketEvent event;
    while (platform::TakeSocketEvent(&event)) {
        platform::Message message;
        message.kind = platform::MessageKind::kSocketNotify;
        message.value = event.socket;
        message.event = event.event | (std::min(event.error, 0x7FFF) << 16);
        HandleSocketEvent(message);
    }
    return platform::IsSocketEventQueueOpen() ? 0 : -1;
}

int EndNetwork() {
    if (network_state.started == 0) {
        return 0;
    }
    WriteLog(kNetworkEndText);
    while (network_state.head.next != &network_state.tail) {
        CloseNetworkHandle(network_state.head.next->handle);
    }
    if (network_state.listener != platform::kNoSocket) {
        platform::CloseSocket(network_state.listener);
    }
    platform::CloseSocketEventQueue();
    socket_table.Reset();
    ResetHandleList(&network_state.head, &network_state.tail);
    network_state.listener = platform::kNoSocket;
    network_state.started = 0;
    WriteLog(kNetworkEndedText);
    return 0;
}

}  // namespace layer

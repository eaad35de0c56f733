#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "layer/core/handle_kinds.h"
#include "layer/core/handle_list.h"
#include "layer/core/handle_table.h"
#include "platform/file.h"
#include "platform/sockets.h"

namespace layer {

// Bytes in a circle: read at one offset, written at the other, both wrapping at the capacity.
struct RingBuffer {
    std::uint8_t* buffer = nullptr;
    int read = 0;
    int write = 0;
    int held = 0;
    int capacity = 0;
};

// One connection (a network handle). With framing every message on the wire is a 4-byte
// little-endian length and that many bytes; without, the bytes pass as they are.
struct SocketRecord {
    int in_use = 0;
    int error = 0;
    // Set by an accept and by a made connection, cleared when the peer closes.
    int connected = 0;
    // Set when the game found the handle no longer connected; the pump then closes it when
    // auto-close is on.
    int loss_noticed = 0;
    int framing = 0;
    int auto_close = 0;
    int check = 0;
    platform::Socket socket = platform::kNoSocket;
    // The message being received: bytes still to come and its size.
    int receive_left = 0;
    RingBuffer receive;
    int message_size = 0;
    // Received bytes of whole messages not yet taken.
    int received_bytes = 0;
    RingBuffer send;
    // The message being sent: bytes still to go, and its length prefix with what is left of it.
    int send_left = 0;
    std::array<std::uint8_t, 4> prefix{};
    int prefix_left = 0;
    platform::Ipv4Address peer_address{};
    int peer_port = 0;
    HandleNode node;
};

enum HttpMethod { kHttpGet = 0, kHttpPost = 1, kHttpHead = 2 };
enum HttpDestination { kHttpToFile = 0, kHttpToMemory = 1 };
constexpr int kHttpRunning = -1;
constexpr int kHttpDone = 0;
constexpr int kHttpFailed = 2;
// Failure details.
constexpr int kHttpNotFound = 1;
constexpr int kHttpNoMemory = 2;
constexpr int kHttpConnectionLost = 3;

// One web request, run a step per pump pass.
struct HttpSlot {
    int in_use = 0;
    int method = kHttpGet;
    // 0 send, 1 status line, 2 header, 3 body, 4 done.
    int state = 0;
    int result = kHttpRunning;
    int detail = 0;
    int handle = -1;
    int destination = kHttpToFile;
    platform::File file;
    // The caller's pointer that receives the body (tracked memory, the caller's to free).
    void** memory = nullptr;
    // -1 when the reply gives none.
    int content_length = -1;
    int received = 0;
    std::string host;
    std::string path;
    std::uint8_t* post_data = nullptr;
    int post_size = 0;
    int port = 0;
};

constexpr int kHttpSlotCount = 100;

using SocketTable = HandleTable<SocketRecord, kSocketHandleKind, &SocketRecord::check>;

// Everything of the network: never started in the player, so all of it stays empty there.
struct NetworkState {
    int started = 0;
    platform::Socket listener = platform::kNoSocket;
    // The open handles, newest first.
    HandleNode head;
    HandleNode tail;
    int receive_busy = 0;
    int send_busy = 0;
    // Each new record's framing flag is the inverse of the first, its auto-close flag the
    // inverse of the second.
    int raw_data_setting = 0;
    int keep_lost_setting = 0;
    std::array<HttpSlot, kHttpSlotCount> http_slots;
    int http_slot_count = 0;
};

extern NetworkState network_state;
extern SocketTable socket_table;

}  // namespace layer

#pragma once

#include <array>
#include <cstdint>

namespace platform {

// Non-blocking IPv4 stream sockets whose events are collected by polling: the layer asks for
// the events of a socket once, and each collection queues those that happened since, as the
// layer's network code expects them to arrive at its window. Main thread only.

using Socket = int;
constexpr Socket kNoSocket = -1;

// Event bits.
constexpr int kSocketRead = 0x01;
constexpr int kSocketWrite = 0x02;
constexpr int kSocketAccept = 0x08;
constexpr int kSocketConnect = 0x10;
constexpr int kSocketClose = 0x20;

using Ipv4Address = std::array<std::uint8_t, 4>;

struct SocketEvent {
    Socket socket = kNoSocket;
    int event = 0;
    // The socket's error code (errno) for connect and close events, else 0.
    int error = 0;
};

// The queue the events go to; while it is closed no event is collected.
void OpenSocketEventQueue();
void CloseSocketEventQueue();
bool IsSocketEventQueueOpen();
// Polls every watched socket without waiting and queues what happened.
void CollectSocketEvents();
bool TakeSocketEvent(SocketEvent* event);

// A listening socket on 127.0.0.1 at the port (0: any free one), with the port it got.
Socket ListenOnLoopback(int port, int* bound_port);
// Takes a waiting connection; kNoSocket when there is none or it failed.
Socket AcceptConnection(Socket listener, Ipv4Address* address, int* port);
// Starts a connection; a connect event tells how it ended. kNoSocket when it cannot start.
Socket StartConnection(const Ipv4Address& address, int port);
// The IPv4 address of a host name or dotted address; false when there is none.
bool ResolveHost(const char* host, Ipv4Address* address);
// Bytes received (peek leaves them waiting), 0 when the peer has closed, -1 when nothing is
// waiting or the socket failed.
int ReceiveBytes(Socket socket, void* buffer, int size, bool peek);
// Bytes sent, -1 when none can be sent now or the socket failed. A socket that could not take
// everything gets a write event once it can take more.
int SendBytes(Socket socket, const void* data, int size);
// The events wanted from now on (0: none); false for a socket that is not open.
bool SelectSocketEvents(Socket socket, int events);
void CloseSocket(Socket socket);
// The error code of the last failed call.
int LastSocketError();

}  // namespace platform

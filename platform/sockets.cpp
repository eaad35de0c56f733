#include "platform/sockets.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <vector>

namespace platform {
namespace {

// What is known of a socket between collections.
struct WatchedSocket {
    int events = 0;
    bool listening = false;
    bool connecting = false;
    // A send could not take everything: a write event is due once it can.
    bool write_blocked = false;
    // The write event that follows a made connection is still due.
    bool first_write_due = false;
    bool close_posted = false;
};

std::map<Socket, WatchedSocket> sockets;
std::deque<SocketEvent> queue;
bool queue_open = false;
int last_error = 0;

int Fail() {
    last_error = errno;
    return -1;
}

Socket NewStreamSocket() {
    const Socket socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket == kNoSocket) {
        Fail();
    }
    return socket;
}

sockaddr_in SocketAddress(const Ipv4Address& address, int port) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(static_cast<std::uint16_t>(port));
    std::memcpy(&result.sin_addr, address.data(), address.size());
    return result;
}

int PendingError(Socket socket) {
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size);
    return error;
}

void Post(Socket socket, int event, int error) {
    queue.push_back({socket, event, error});
}

bool HasWaitingData(Socket socket) {
    char byte = 0;
    return recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 1;
}

void CollectFrom(Socket socket, WatchedSocket& watched, short revents) {
    const bool broken = (revents & (POLLERR | POLLHUP | POLLRDHUP)) != 0;
    if (watched.listening) {
        if ((revents & POLLIN) != 0 && (watched.events & kSocketAccept) != 0) {
            Post(socket, kSocketAccept, 0);
        }
        return;
    }
    if (watched.connecting) {
        if ((revents & (POLLOUT | POLLERR | POLLHUP)) == 0) {
            return;
        }
        watched.connecting = false;
        const int error = PendingError(socket);
        if ((watched.events & kSocketConnect) != 0) {
            Post(socket, kSocketConnect, error);
        }
        watched.first_write_due = error == 0;
        if (error != 0) {
            last_error = error;
            return;
        }
    }
    if ((revents & POLLIN) != 0 && (watched.events & kSocketRead) != 0 && HasWaitingData(socket)) {
        Post(socket, kSocketRead, 0);
    }
    const bool writable = (revents & POLLOUT) != 0;
    if (writable && (watched.write_blocked || watched.first_write_due)) {
        watched.write_blocked = false;
        watched.first_write_due = false;
        if ((watched.events & kSocketWrite) != 0) {
            Post(socket, kSocketWrite, 0);
        }
    }
    if (broken && !watched.close_posted && (watched.events & kSocketClose) != 0) {
        watched.close_posted = true;
        Post(socket, kSocketClose, PendingError(socket));
    }
}

}  // namespace

void OpenSocketEventQueue() {
    queue.clear();
    queue_open = true;
}

void CloseSocketEventQueue() {
    queue.clear();
    queue_open = false;
}

bool IsSocketEventQueueOpen() {
    return queue_open;
}

void CollectSocketEvents() {
    if (!queue_open) {
        return;
    }
    std::vector<pollfd> polled;
    for (const auto& [socket, watched] : sockets) {
        if (watched.events == 0) {
            continue;
        }
        short wanted = POLLIN | POLLRDHUP;
        if (watched.connecting || watched.write_blocked || watched.first_write_due) {
            wanted |= POLLOUT;
        }
        polled.push_back({socket, wanted, 0});
    }
    if (polled.empty() || poll(polled.data(), polled.size(), 0) <= 0) {
        return;
    }
    for (const pollfd& entry : polled) {
        if (entry.revents != 0) {
            CollectFrom(entry.fd, sockets[entry.fd], entry.revents);
        }
    }
}

bool TakeSocketEvent(SocketEvent* event) {
    if (queue.empty()) {
        return false;
    }
    *event = queue.front();
    queue.pop_front();
    return true;
}

Socket ListenOnLoopback(int port, int* bound_port) {
    const Socket socket = NewStreamSocket();
    if (socket == kNoSocket) {
        return kNoSocket;
    }
    const int reuse = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address = SocketAddress({127, 0, 0, 1}, port);
    socklen_t size = sizeof address;
    if (bind(socket, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(socket, SOMAXCONN) != 0 ||
        getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        Fail();
        close(socket);
        return kNoSocket;
    }
    *bound_port = ntohs(address.sin_port);
    sockets[socket].listening = true;
    return socket;
}

Socket AcceptConnection(Socket listener, Ipv4Address* address, int* port) {
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    const Socket socket =
        accept4(listener, reinterpret_cast<sockaddr*>(&peer), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (socket == kNoSocket) {
        Fail();
        return kNoSocket;
    }
    std::memcpy(address->data(), &peer.sin_addr, address->size());
    *port = ntohs(peer.sin_port);
    sockets[socket].first_write_due = true;
    return socket;
}

Socket StartConnection(const Ipv4Address& address, int port) {
    const Socket socket = NewStreamSocket();
    if (socket == kNoSocket) {
        return kNoSocket;
    }
    const sockaddr_in target = SocketAddress(address, port);
    const bool started =
        connect(socket, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0 ||
        errno == EINPROGRESS;
    if (!started) {
        Fail();
        close(socket);
        return kNoSocket;
    }
    sockets[socket].connecting = true;
    return socket;
}

bool ResolveHost(const char* host, Ipv4Address* address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) {
        return false;
    }
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    std::memcpy(address->data(), &ipv4->sin_addr, address->size());
    freeaddrinfo(found);
    return true;
}

int ReceiveBytes(Socket socket, void* buffer, int size, bool peek) {
    const ssize_t received =
        recv(socket, buffer, static_cast<std::size_t>(size), peek ? MSG_PEEK : 0);
    return received < 0 ? Fail() : static_cast<int>(received);
}

int SendBytes(Socket socket, const void* data, int size) {
    const ssize_t sent = send(socket, data, static_cast<std::size_t>(size), MSG_NOSIGNAL);
    const auto watched = sockets.find(socket);
    if ((sent < 0 || sent < size) && watched != sockets.end()) {
        watched->second.write_blocked = true;
    }
    return sent < 0 ? Fail() : static_cast<int>(sent);
}

bool SelectSocketEvents(Socket socket, int events) {
    const auto watched = sockets.find(socket);
    if (watched == sockets.end()) {
        return false;
    }
    watched->second.events = events;
    return true;
}

void CloseSocket(Socket socket) {
    sockets.erase(socket);
    std::erase_if(queue, [socket](const SocketEvent& event) { return event.socket == socket; });
    close(socket);
}

int LastSocketError() {
    return last_error;
}

}  // namespace platform

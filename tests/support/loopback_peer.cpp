#include "tests/support/loopback_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace test {
namespace {

constexpr int kTimeoutSeconds = 5;

void SetTimeouts(int socket) {
    timeval timeout{kTimeoutSeconds, 0};
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
}

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// The body length a request's header gives, 0 without one.
std::size_t ContentLengthOf(const std::string& header) {
    const std::size_t at = header.find("Content-Length:");
    return at == std::string::npos ? 0 : std::strtoul(header.c_str() + at + 15, nullptr, 10);
}

std::size_t HeaderEnd(const std::string& request) {
    const std::size_t crlf = request.find("\r\n\r\n");
    if (crlf != std::string::npos) {
        return crlf + 4;
    }
    const std::size_t lf = request.find("\n\n");
    return lf == std::string::npos ? std::string::npos : lf + 2;
}

}  // namespace

LoopbackPeer::LoopbackPeer(int port) {
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = Loopback(port);
    if (socket_ < 0 ||
        connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Close();
        return;
    }
    SetTimeouts(socket_);
}

LoopbackPeer LoopbackPeer::Adopt(int socket) {
    LoopbackPeer peer;
    peer.socket_ = socket;
    SetTimeouts(socket);
    return peer;
}

LoopbackPeer::LoopbackPeer(LoopbackPeer&& other) noexcept : socket_(other.socket_) {
    other.socket_ = -1;
}

LoopbackPeer::~LoopbackPeer() {
    Close();
}

bool LoopbackPeer::Send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = send(socket_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

std::string LoopbackPeer::Receive(std::size_t n) {
    std::string bytes(n, '\0');
    std::size_t done = 0;
    while (done < n) {
        const ssize_t received = recv(socket_, bytes.data() + done, n - done, 0);
        if (received <= 0) {
            break;
        }
        done += static_cast<std::size_t>(received);
    }
    bytes.resize(done);
    return bytes;
}

std::string LoopbackPeer::ReceiveAll() {
    std::string bytes;
    char piece[4096];
    while (true) {
        const ssize_t received = recv(socket_, piece, sizeof piece, 0);
        if (received <= 0) {
            return bytes;
        }
        bytes.append(piece, static_cast<std::size_t>(received));
    }
}

void LoopbackPeer::Close() {
    if (socket_ >= 0) {
        close(socket_);
        socket_ = -1;
    }
}

LoopbackListener::LoopbackListener() {
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    if (socket_ >= 0 && bind(socket_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        listen(socket_, 8) == 0 &&
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port_ = ntohs(address.sin_port);
    }
}

LoopbackListener::~LoopbackListener() {
    if (socket_ >= 0) {
        close(socket_);
    }
}

LoopbackPeer LoopbackListener::Accept() {
    pollfd waiting{socket_, POLLIN, 0};
    if (poll(&waiting, 1, kTimeoutSeconds * 1000) != 1) {
        return LoopbackPeer::Adopt(-1);
    }
    return LoopbackPeer::Adopt(accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC));
}

OneRequestServer::OneRequestServer(std::string reply) : reply_(std::move(reply)) {
    thread_ = std::thread([this] {
        LoopbackPeer peer = listener_.Accept();
        if (!peer.connected()) {
            return;
        }
        std::size_t end = std::string::npos;
        while ((end = HeaderEnd(request_)) == std::string::npos) {
            const std::string byte = peer.Receive(1);
            if (byte.empty()) {
                return;
            }
            request_ += byte;
        }
        request_ += peer.Receive(ContentLengthOf(request_.substr(0, end)));
        peer.Send(reply_);
    });
}

OneRequestServer::~OneRequestServer() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::string OneRequestServer::Request() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return request_;
}

}  // namespace test

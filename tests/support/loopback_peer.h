#pragma once

#include <string>
#include <thread>

namespace test {

// The far end of a connection in a test, on 127.0.0.1 with blocking calls that give up after
// five seconds.
class LoopbackPeer {
  public:
    // Connects to the port; connected() tells whether it worked.
    explicit LoopbackPeer(int port);
    // Takes an already connected socket.
    static LoopbackPeer Adopt(int socket);
    LoopbackPeer(LoopbackPeer&& other) noexcept;
    LoopbackPeer& operator=(LoopbackPeer&&) = delete;
    ~LoopbackPeer();

    bool connected() const { return socket_ >= 0; }
    bool Send(const std::string& bytes);
    // Exactly n bytes, or what arrived before the peer closed or the time ran out.
    std::string Receive(std::size_t n);
    // Everything until the other side closes (or the time runs out).
    std::string ReceiveAll();
    void Close();

  private:
    LoopbackPeer() = default;
    int socket_ = -1;
};

// A listening socket on 127.0.0.1 at a free port.
class LoopbackListener {
  public:
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int port() const { return port_; }
    // The next connection within five seconds; not connected() when none came.
    LoopbackPeer Accept();

  private:
    int socket_ = -1;
    int port_ = 0;
};

// A one-request web server: on a thread of its own it takes one connection, reads the request
// (its header and the body its Content-Length gives), answers with the reply and closes.
class OneRequestServer {
  public:
    explicit OneRequestServer(std::string reply);
    ~OneRequestServer();
    OneRequestServer(const OneRequestServer&) = delete;
    OneRequestServer& operator=(const OneRequestServer&) = delete;

    int port() const { return listener_.port(); }
    // The request as it arrived; waits for the server's thread to end.
    std::string Request();

  private:
    LoopbackListener listener_;
    std::string reply_;
    std::string request_;
    std::thread thread_;
};

}  // namespace test

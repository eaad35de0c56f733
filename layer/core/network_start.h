#pragma once

#include <string>

namespace layer {

// Starting the network and opening connections and web requests. The player never does any
// of this; tests drive the network through these entries, on the loopback address only.

// Starts the network with a listening socket on 127.0.0.1 at the port (0: any free one).
// The port listened on, or -1.
int StartNetwork(int port);
// Connects to a host, waiting at most a second for the connection. The handle, or -1.
int ConnectNetWork(const char* host, int port);

struct HttpRequest {
    int method = 0;
    std::string host;
    int port = 80;
    std::string path;
    // The body of a POST.
    std::string post_data;
    // To a file (its game path) or, when memory is given, to a block of tracked memory that
    // the caller frees.
    std::string file_path;
    void** memory = nullptr;
};

// The slot of a new web request (0 to 99), or -1 when no connection could be made.
int CreateHttpSlot(const HttpRequest& request);

}  // namespace layer

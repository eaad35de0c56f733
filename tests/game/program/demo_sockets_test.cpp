// The player never starts its network: a run of the demo leaves no network socket open (the
// window system's own device notices come through sockets of another kind).
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tests/game/program/demo_run_fixture.h"

namespace game {
namespace {

// The inodes of the process's TCP and UDP sockets, over IPv4 and IPv6.
std::set<std::string> NetworkSocketInodes() {
    std::set<std::string> inodes;
    for (const char* table : {"tcp", "tcp6", "udp", "udp6"}) {
        std::ifstream file(std::string("/proc/self/net/") + table);
        std::string line;
        std::getline(file, line);
        while (std::getline(file, line)) {
            std::istringstream fields(line);
            std::string field;
            for (int column = 0; column < 10 && fields >> field; ++column) {
            }
            inodes.insert(field);
        }
    }
    return inodes;
}

int CountOpenNetworkSockets() {
    const std::set<std::string> inodes = NetworkSocketInodes();
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (!error && target.starts_with("socket:[") &&
            inodes.contains(target.substr(8, target.size() - 9))) {
            ++count;
        }
    }
    return count;
}

class DemoSockets : public DemoRun {};

TEST_F(DemoSockets, TheDemoRunsWithoutOpeningANetworkSocket) {
    StartOnTheMap();
    EXPECT_EQ(CountOpenNetworkSockets(), 0);
    Shutdown();
    EXPECT_EQ(CountOpenNetworkSockets(), 0);
}

// The count itself: a listening socket this test opens is seen.
TEST(NetworkSocketCount, SeesAnOpenSocket) {
    const int before = CountOpenNetworkSockets();
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(socket, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(socket, 1), 0);
    EXPECT_EQ(CountOpenNetworkSockets(), before + 1);
    close(socket);
}

}  // namespace
}  // namespace game

#include <gtest/gtest.h>

#include <string>

#include "layer/core/layer_log.h"
#include "layer/core/network.h"
#include "layer/core/network_start.h"
#include "layer/core/network_state.h"
#include "layer/core/tracked_memory.h"
#include "platform/game_path.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/bounded_wait.h"
#include "tests/support/loopback_peer.h"
#include "tests/support/sjis.h"

namespace {

std::string Body(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('0' + i % 10);
    }
    return bytes;
}

const std::string kLongBody = Body(10000);

struct HttpCase {
    const char* name;
    int method;
    const char* path;
    std::string post_data;
    bool to_memory;
    std::string reply;
    // The request as the server must see it, with PORT for the server's port.
    std::string request;
    int result;
    int detail;
    std::string body;
    int content_length;
};

std::string WithPort(std::string text, int port) {
    const std::size_t at = text.find("PORT");
    return at == std::string::npos ? text : text.replace(at, 4, std::to_string(port));
}

class HttpSlots : public test::LayerTest, public testing::WithParamInterface<HttpCase> {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        layer::SetLogFolder(platform::GetCurrentFolder());
        layer::InitLog();
        ASSERT_GT(layer::StartNetwork(0), 0);
    }
    void TearDown() override {
        layer::DeleteAllHttpSlots();
        layer::EndNetwork();
        LayerTest::TearDown();
    }

    static bool PumpUntilDone(int slot) {
        return test::WaitUntil([slot] {
            layer::PumpNetworkMessages(1);
            layer::UpdateHttpSlots();
            return layer::network_state.http_slots[slot].result != layer::kHttpRunning;
        });
    }
};

TEST_P(HttpSlots, RequestRunsToItsResult) {
    const HttpCase& c = GetParam();
    test::OneRequestServer server(c.reply);
    void* memory = nullptr;
    layer::HttpRequest request;
    request.method = c.method;
    request.host = "127.0.0.1";
    request.port = server.port();
    request.path = c.path;
    request.post_data = c.post_data;
    if (c.to_memory) {
        request.memory = &memory;
    } else {
        request.file_path = "reply.bin";
    }
    const int slot = layer::CreateHttpSlot(request);
    ASSERT_NE(slot, -1);
    EXPECT_EQ(layer::network_state.http_slot_count, 1);
    ASSERT_TRUE(PumpUntilDone(slot));
    const layer::HttpSlot& done = layer::network_state.http_slots[slot];
    EXPECT_EQ(server.Request(), WithPort(c.request, server.port()));
    EXPECT_EQ(done.result, c.result);
    EXPECT_EQ(done.detail, c.detail);
    EXPECT_EQ(done.content_length, c.content_length);
    EXPECT_EQ(done.handle, -1);
    if (c.to_memory) {
        const std::string received =
            memory == nullptr ? "" : std::string(static_cast<char*>(memory), done.received);
        EXPECT_EQ(received, c.body);
        EXPECT_EQ(memory == nullptr, c.result != layer::kHttpDone || c.method == layer::kHttpHead);
        if (memory != nullptr) {
            layer::FreeTracked(memory);
        }
    } else {
        EXPECT_EQ(tree.read("reply.bin"), c.body);
    }
    EXPECT_EQ(layer::DeleteHttpSlot(slot), 0);
    EXPECT_EQ(layer::network_state.http_slot_count, 0);
    EXPECT_EQ(layer::socket_table.count(), 0);
}

const std::string kGetRequest =
    "GET /data.bin HTTP/1.0\r\nHost: 127.0.0.1:PORT\r\nConnection: close\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Requests, HttpSlots,
    testing::Values(
        HttpCase{"GetWithLengthToMemory", layer::kHttpGet, "/data.bin", "", true,
                 "HTTP/1.0 200 OK\r\nServer: test\r\nContent-Length: 11\r\n\r\nhello world",
                 kGetRequest, 0, 0, "hello world", 11},
        HttpCase{"GetWithoutLengthToMemory", layer::kHttpGet, "/data.bin", "", true,
                 "HTTP/1.0 200 OK\r\nServer: test\r\n\r\n" + kLongBody, kGetRequest, 0, 0,
                 kLongBody, -1},
        HttpCase{"GetWithLengthToFile", layer::kHttpGet, "/data.bin", "", false,
                 "HTTP/1.0 200 OK\r\nContent-Length: 10000\r\n\r\n" + kLongBody, kGetRequest, 0, 0,
                 kLongBody, 10000},
        HttpCase{"GetWithoutLengthToFile", layer::kHttpGet, "/data.bin", "", false,
                 "HTTP/1.0 200 OK\r\n\r\n" + kLongBody, kGetRequest, 0, 0, kLongBody, -1},
        HttpCase{"GetNotFound", layer::kHttpGet, "/data.bin", "", true,
                 "HTTP/1.0 404 Not Found\r\n\r\n", kGetRequest, 2, 1, "", -1},
        HttpCase{"GetServerError", layer::kHttpGet, "/data.bin", "", false,
                 "HTTP/1.0 500 Internal Server Error\r\n\r\n", kGetRequest, 2, 0, "", -1},
        HttpCase{"GetCutShort", layer::kHttpGet, "/data.bin", "", true,
                 "HTTP/1.0 200 OK\r\nContent-Length: 20\r\n\r\nonly ten..", kGetRequest, 2, 3, "",
                 20},
        HttpCase{"Post", layer::kHttpPost, "/form", "a=1&b=2", true,
                 "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok",
                 "POST /form HTTP/1.0\nHost: 127.0.0.1:PORT\nContent-Length: 7\n\na=1&b=2", 0, 0,
                 "ok", 2},
        HttpCase{"Head", layer::kHttpHead, "/h", "", true,
                 "HTTP/1.0 200 OK\r\nContent-Length: 1234\r\n\r\n", "HEAD /h HTTP/1.0\n\n", 0, 0,
                 "", 1234}),
    [](const testing::TestParamInfo<HttpCase>& info) { return std::string(info.param.name); });

class HttpSlotErrors : public HttpSlots {};

TEST_F(HttpSlotErrors, NotFoundIsLoggedForAGet) {
    test::OneRequestServer server("HTTP/1.0 404 Not Found\r\n\r\n");
    void* memory = nullptr;
    layer::HttpRequest request;
    request.host = "127.0.0.1";
    request.port = server.port();
    request.path = "/missing";
    request.memory = &memory;
    const int slot = layer::CreateHttpSlot(request);
    ASSERT_TRUE(PumpUntilDone(slot));
    EXPECT_NE(ReadLog().find(test::Sjis(u8"接続に失敗しました (戻り値:404)")), std::string::npos);
    EXPECT_EQ(memory, nullptr) << "a failed request keeps no memory";
    // The slot names `memory`, which ends with the test: it goes first.
    EXPECT_EQ(layer::DeleteHttpSlot(slot), 0);
}

TEST_F(HttpSlotErrors, RefusedConnectionOpensNoSlot) {
    int free_port = 0;
    {
        test::LoopbackListener closed_soon;
        free_port = closed_soon.port();
    }
    layer::HttpRequest request;
    request.host = "127.0.0.1";
    request.port = free_port;
    request.path = "/";
    request.file_path = "never.bin";
    EXPECT_EQ(layer::CreateHttpSlot(request), -1);
    EXPECT_EQ(layer::network_state.http_slot_count, 0);
    EXPECT_EQ(layer::socket_table.count(), 0);
}

}  // namespace

#include "layer/core/network.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "layer/core/layer_log.h"
#include "layer/core/network_start.h"
#include "layer/core/network_state.h"
#include "layer/core/tracked_memory.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/bounded_wait.h"
#include "tests/support/loopback_peer.h"
#include "tests/support/sjis.h"

namespace {

using test::Sjis;

std::string Framed(const std::string& bytes) {
    std::string message(4, '\0');
    for (int i = 0; i < 4; ++i) {
        message[i] = static_cast<char>(bytes.size() >> (8 * i));
    }
    return message + bytes;
}

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('a' + i % 26);
    }
    return bytes;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Not started, as in the player.
class NetworkNotStarted : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        layer::SetLogFolder(platform::GetCurrentFolder());
        layer::InitLog();
        layer::ClearNetworkState();
    }
};

TEST_F(NetworkNotStarted, EveryOperationRefusesAtOnceAndLogsNothing) {
    char buffer[8] = {};
    platform::Message notice;
    notice.kind = platform::MessageKind::kSocketNotify;
    notice.event = platform::kSocketRead;
    const int handle = layer::MakeLayerHandle(layer::kSocketHandleKind, 0, 0);
    struct Refusal {
        const char* name;
        std::function<int()> call;
        int result;
    };
    const Refusal refusals[] = {
        {"AcceptNetWork", [] { return layer::AcceptNetWork(); }, -1},
        {"GetNetWorkAcceptState", [&] { return layer::GetNetWorkAcceptState(handle); }, -1},
        {"NetWorkRecv", [&] { return layer::NetWorkRecv(handle, buffer, 1); }, -1},
        {"NetWorkRecvToPeek", [&] { return layer::NetWorkRecvToPeek(handle, buffer, 1); }, -1},
        {"NetWorkSend", [&] { return layer::NetWorkSend(handle, buffer, 1); }, -1},
        {"GetNetWorkDataLength", [&] { return layer::GetNetWorkDataLength(handle); }, -1},
        {"RecvSocket", [&] { return layer::RecvSocket(handle); }, -1},
        {"SendSocket", [&] { return layer::SendSocket(handle); }, -1},
        {"CloseNetworkHandle", [&] { return layer::CloseNetworkHandle(handle); }, -1},
        {"HandleSocketEvent", [&] { return layer::HandleSocketEvent(notice); }, -1},
        {"LogNetworkError", [] { return layer::LogNetworkError("x"); }, -1},
        {"PumpNetworkMessages", [] { return layer::PumpNetworkMessages(1); }, 0},
        {"UpdateHttpSlots", [] { return layer::UpdateHttpSlots(); }, 0},
        {"DeleteAllHttpSlots", [] { return layer::DeleteAllHttpSlots(); }, 0},
        {"EndNetwork", [] { return layer::EndNetwork(); }, 0},
    };
    const std::string log_before = ReadLog();
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(refusal.call(), refusal.result) << refusal.name;
    }
    EXPECT_EQ(ReadLog(), log_before);
    EXPECT_EQ(layer::network_state.http_slot_count, 0);
}

// Started on the loopback address, with a test peer at the other end of each connection.
class Network : public NetworkNotStarted {
  protected:
    void SetUp() override {
        NetworkNotStarted::SetUp();
        port_ = layer::StartNetwork(0);
        ASSERT_GT(port_, 0);
    }
    void TearDown() override {
        layer::DeleteAllHttpSlots();
        layer::EndNetwork();
        NetworkNotStarted::TearDown();
    }

    static bool Pump(const std::function<bool()>& done) {
        return test::WaitUntil([&] {
            layer::PumpNetworkMessages(1);
            layer::UpdateHttpSlots();
            return done();
        });
    }

    static int NewestHandle() {
        const layer::HandleNode* node = layer::network_state.head.next;
        return node == &layer::network_state.tail ? -1 : node->handle;
    }

    // A peer connected to the listening socket and the handle the network gave it.
    int AcceptPeer(std::optional<test::LoopbackPeer>* peer) {
        peer->emplace(port_);
        EXPECT_TRUE((*peer)->connected());
        EXPECT_TRUE(Pump([] { return NewestHandle() != -1; }));
        return NewestHandle();
    }

    static layer::SocketRecord* Record(int handle) { return layer::socket_table.Find(handle); }

    int port_ = 0;
};

TEST_F(Network, AcceptedConnectionRecordsItsPeer) {
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    ASSERT_NE(handle, -1);
    EXPECT_EQ(handle >> 16 & 0xF800, 0x4800);
    EXPECT_EQ(layer::GetNetWorkAcceptState(handle), 1);
    const layer::SocketRecord* record = Record(handle);
    EXPECT_EQ(record->peer_address, (platform::Ipv4Address{127, 0, 0, 1}));
    EXPECT_GT(record->peer_port, 0);
    EXPECT_EQ(record->framing, 1);
    EXPECT_EQ(record->auto_close, 1);
}

TEST_F(Network, FramedMessageArrivesWholeAcrossPartialWrites) {
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    const std::string body = Pattern(3000);
    const std::string wire = Framed(body);
    const std::size_t cuts[] = {2, 4, 5, 1500, wire.size()};
    std::size_t sent = 0;
    for (const std::size_t cut : cuts) {
        ASSERT_TRUE(peer->Send(wire.substr(sent, cut - sent)));
        sent = cut;
        const int taken = static_cast<int>(sent < 4 ? 0 : sent - 4);
        ASSERT_TRUE(Pump([&] {
            layer::RecvSocket(handle);
            return Record(handle)->receive.held == taken;
        })) << sent;
        EXPECT_EQ(layer::GetNetWorkDataLength(handle), sent == wire.size() ? 3000 : 0);
        // The bytes of a message still arriving are not given out.
        char first = 0;
        EXPECT_EQ(layer::NetWorkRecvToPeek(handle, &first, 1), sent == wire.size() ? 0 : -1);
    }
    std::string peeked(10, '\0');
    EXPECT_EQ(layer::NetWorkRecvToPeek(handle, peeked.data(), 10), 0);
    EXPECT_EQ(peeked, body.substr(0, 10));
    EXPECT_EQ(layer::GetNetWorkDataLength(handle), 3000);
    std::string received(3001, '\0');
    EXPECT_EQ(layer::NetWorkRecv(handle, received.data(), 3001), -1);
    EXPECT_EQ(layer::NetWorkRecv(handle, received.data(), 3000), 0);
    received.resize(3000);
    EXPECT_EQ(received, body);
    EXPECT_EQ(layer::GetNetWorkDataLength(handle), 0);
}

// The second message wraps at the end of the receive ring that the first one sized.
TEST_F(Network, MessagesWrapAroundTheReceiveRing) {
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    const std::string first = Pattern(600);
    ASSERT_TRUE(peer->Send(Framed(first)));
    ASSERT_TRUE(Pump([&] { return layer::GetNetWorkDataLength(handle) == 600; }));
    std::string received(600, '\0');
    ASSERT_EQ(layer::NetWorkRecv(handle, received.data(), 600), 0);
    EXPECT_EQ(Record(handle)->receive.capacity, 1600);

    const std::string second = Pattern(1500).replace(0, 3, "xyz");
    ASSERT_TRUE(peer->Send(Framed(second)));
    ASSERT_TRUE(Pump([&] { return layer::GetNetWorkDataLength(handle) == 1500; }));
    EXPECT_EQ(Record(handle)->receive.capacity, 1600);
    EXPECT_EQ(Record(handle)->receive.write, 500);
    received.resize(1500);
    ASSERT_EQ(layer::NetWorkRecv(handle, received.data(), 1500), 0);
    EXPECT_EQ(received, second);
}

TEST_F(Network, SentDataGoesOutFramedEvenWhenTheSocketIsFull) {
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    ASSERT_EQ(layer::NetWorkSend(handle, "hello", 5), 0);
    EXPECT_EQ(peer->Receive(9), Framed("hello"));

    const std::string large = Pattern(4 << 20);
    ASSERT_EQ(layer::NetWorkSend(handle, large.data(), static_cast<int>(large.size())), 0);
    std::string arrived;
    std::thread reader([&] { arrived = peer->Receive(large.size() + 4); });
    EXPECT_TRUE(Pump([&] { return Record(handle)->send.held == 0; }));
    reader.join();
    EXPECT_TRUE(arrived == Framed(large));
}

TEST_F(Network, ClosedPeerIsNoticedAndClosedByThePump) {
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    peer->Close();
    ASSERT_TRUE(Pump([&] { return Record(handle)->connected == 0; }));
    EXPECT_NE(Record(handle), nullptr);
    EXPECT_EQ(layer::GetNetWorkAcceptState(handle), 0);
    layer::PumpNetworkMessages(1);
    EXPECT_EQ(Record(handle), nullptr);
    EXPECT_EQ(layer::GetNetWorkAcceptState(handle), -1);
    EXPECT_TRUE(Contains(ReadLog(), Sjis(u8"有効なネットワークハンドルではありません in "
                                         u8"GetNetWorkAcceptState\r\n")));
}

TEST_F(Network, LostConnectionStaysWhileAutoCloseIsOff) {
    layer::network_state.keep_lost_setting = 1;
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    peer->Close();
    ASSERT_TRUE(Pump([&] { return layer::GetNetWorkAcceptState(handle) == 0; }));
    layer::PumpNetworkMessages(1);
    EXPECT_NE(Record(handle), nullptr);
    EXPECT_EQ(layer::CloseNetworkHandle(handle), 0);
    EXPECT_EQ(Record(handle), nullptr);
}

TEST_F(Network, HandlesWithoutARecordOrWithAnErrorAreRefusedWithTheirLine) {
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    const int stale = handle + 1;
    char buffer[4] = {};
    struct Operation {
        const char* name;
        const char* error_name;
        std::function<int(int)> call;
    };
    const Operation operations[] = {
        {"RecvSocket", "RecvSocket", [](int h) { return layer::RecvSocket(h); }},
        {"SendSocket", "SendSocket", [](int h) { return layer::SendSocket(h); }},
        {"GetNetWorkAcceptState", "GetNetWorkAcceptStateh",
         [](int h) { return layer::GetNetWorkAcceptState(h); }},
        {"NetWorkRecv", "NetWorkRecv", [&](int h) { return layer::NetWorkRecv(h, buffer, 1); }},
        {"NetWorkRecvToPeek", "NetWorkRecvToPeek",
         [&](int h) { return layer::NetWorkRecvToPeek(h, buffer, 1); }},
        {"NetWorkSend", "NetWorkSend", [&](int h) { return layer::NetWorkSend(h, buffer, 1); }},
        {"GetNetWorkDataLength", "GetNetWorkDataLength",
         [](int h) { return layer::GetNetWorkDataLength(h); }},
    };
    Record(handle)->error = 1;
    for (const Operation& operation : operations) {
        EXPECT_EQ(operation.call(stale), -1) << operation.name;
        EXPECT_EQ(operation.call(handle), -1) << operation.name;
        const std::string log = ReadLog();
        EXPECT_TRUE(Contains(
            log, Sjis(u8"有効なネットワークハンドルではありません in ") + operation.name + "\r\n"))
            << operation.name;
        EXPECT_TRUE(Contains(log, Sjis(u8"このネットワークハンドルにはエラーが発生しています in ") +
                                      operation.error_name + "\r\n"))
            << operation.name;
    }
    layer::PumpNetworkMessages(1);
    EXPECT_EQ(Record(handle), nullptr);
}

TEST_F(Network, MessageTheRingCannotTakeFailsTheConnection) {
    struct Case {
        const char* name;
        std::string wire;
        bool fail_allocation;
        std::vector<const char8_t*> lines;
    };
    const Case cases[] = {
        {"NoMemory",
         Framed(Pattern(100)),
         true,
         {u8"リングバッファの再確保に失敗しました(確保しようとしたサイズ 1100 byte)\r\n",
          u8"受信データを保存するリングバッファのリサイズに失敗しました(データサイズ 100 "
          u8"byte)\r\n"}},
        {"TooLarge",
         std::string("\xff\xff\xff\x7f", 4),
         false,
         {u8"受信データを保存するリングバッファのリサイズに失敗しました(データサイズ "
          u8"2147483647 byte)\r\n"}},
    };
    for (const Case& c : cases) {
        std::optional<test::LoopbackPeer> peer;
        const int handle = AcceptPeer(&peer);
        if (c.fail_allocation) {
            layer::FailNextTrackedAllocation();
        }
        ASSERT_TRUE(peer->Send(c.wire));
        ASSERT_TRUE(test::WaitUntil([&] {
            layer::RecvSocket(handle);
            return Record(handle)->error != 0;
        })) << c.name;
        for (const char8_t* line : c.lines) {
            EXPECT_TRUE(Contains(ReadLog(), Sjis(line))) << c.name;
        }
        layer::PumpNetworkMessages(1);
        EXPECT_EQ(Record(handle), nullptr) << c.name;
    }
}

TEST_F(Network, SendThatCannotBeQueuedIsRefused) {
    std::optional<test::LoopbackPeer> peer;
    const int handle = AcceptPeer(&peer);
    layer::FailNextTrackedAllocation();
    EXPECT_EQ(layer::NetWorkSend(handle, "hello", 5), -1);
    const std::string log = ReadLog();
    EXPECT_TRUE(Contains(log, Sjis(u8"リングバッファへのデータの追加に失敗しました(追加する長さ 5 "
                                   u8"byte)\r\n")));
    EXPECT_TRUE(Contains(log, Sjis(u8"送信データ 5 byte の追加に失敗しました in NewWorkSend\r\n")));
}

TEST_F(Network, ConnectionToAListenerCarriesMessagesBothWays) {
    test::LoopbackListener listener;
    std::optional<test::LoopbackPeer> far;
    std::thread taker([&] { far.emplace(listener.Accept()); });
    const int handle = layer::ConnectNetWork("127.0.0.1", listener.port());
    taker.join();
    ASSERT_NE(handle, -1);
    ASSERT_TRUE(far->connected());
    EXPECT_EQ(layer::GetNetWorkAcceptState(handle), 1);
    ASSERT_EQ(layer::NetWorkSend(handle, "ping", 4), 0);
    EXPECT_EQ(far->Receive(8), Framed("ping"));
    ASSERT_TRUE(far->Send(Framed("pong")));
    ASSERT_TRUE(Pump([&] { return layer::GetNetWorkDataLength(handle) == 4; }));
    char reply[4];
    ASSERT_EQ(layer::NetWorkRecv(handle, reply, 4), 0);
    EXPECT_EQ(std::string(reply, 4), "pong");
}

TEST_F(Network, RefusedConnectionGivesNoHandle) {
    int free_port = 0;
    {
        test::LoopbackListener closed_soon;
        free_port = closed_soon.port();
    }
    EXPECT_EQ(layer::ConnectNetWork("127.0.0.1", free_port), -1);
    EXPECT_TRUE(Contains(ReadLog(), Sjis(u8"connectに失敗しました (111)")));
    EXPECT_EQ(NewestHandle(), -1);
}

TEST_F(Network, EndNetworkClosesEveryConnectionWithItsLines) {
    std::optional<test::LoopbackPeer> first;
    std::optional<test::LoopbackPeer> second;
    AcceptPeer(&first);
    AcceptPeer(&second);
    EXPECT_EQ(layer::socket_table.count(), 2);
    EXPECT_EQ(layer::EndNetwork(), 0);
    EXPECT_EQ(layer::socket_table.count(), 0);
    EXPECT_EQ(layer::network_state.started, 0);
    EXPECT_EQ(first->ReceiveAll(), "");
    EXPECT_TRUE(Contains(ReadLog(), Sjis(u8"ネットワーク関連の終了処理を行います \r\n")));
    EXPECT_TRUE(Contains(ReadLog(), Sjis(u8"ネットワーク関連の終了処理は完了しました\r\n")));
}

}  // namespace

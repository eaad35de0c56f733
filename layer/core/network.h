#pragma once

#include "platform/window_message.h"

namespace layer {

// The network: connections (network handles) and web requests, driven by the message pump.
// The player never starts it: every operation then refuses at once (-1, or 0 for the pump's
// and shutdown's parts) and logs nothing. A started network refuses a handle that names no
// connection, and one whose connection failed, with -1 after a log line.

// Empties the network state at start-up.
int ClearNetworkState();
// Closes every connection and the listening socket at shutdown.
int EndNetwork();

// Takes a waiting connection on the listening socket as a new handle; the handle or -1.
int AcceptNetWork();
// 1 while connected; 0 once the peer has gone (the loss is then noticed, see the pump).
int GetNetWorkAcceptState(int handle);
// With framing: n bytes of whole received messages into the buffer and 0, or -1 when fewer
// are there (the peek leaves them). Without framing: the socket's bytes as they come, the
// count received, 0 once the peer has closed, -1 when nothing is waiting.
int NetWorkRecv(int handle, void* buffer, int n);
int NetWorkRecvToPeek(int handle, void* buffer, int n);
// Queues n bytes and sends what the socket takes (as one message with framing). 0 or -1.
int NetWorkSend(int handle, const void* data, int n);
// With framing the received bytes of whole messages; without, 1 when a byte is waiting.
int GetNetWorkDataLength(int handle);
// Take in what arrived, and send what is queued and the socket takes. 0 or -1.
int RecvSocket(int handle);
int SendSocket(int handle);
// Finishes the message in progress each way (at most a second each), then closes. 0 or -1.
int CloseNetworkHandle(int handle);
// A socket notice: value is the socket, event the event bits with the error in the high word.
int HandleSocketEvent(const platform::Message& message);
// With close_flag 1 first closes the failed connections and the lost ones whose loss was
// noticed (with auto-close on); then delivers the waiting socket notices. 0, or -1 when the
// network's notices can no longer come.
int PumpNetworkMessages(int close_flag);
// Logs the text with the last socket error code.
int LogNetworkError(const char* text);

// Web requests: each slot in use runs its next steps once per pump pass.
int UpdateHttpSlots();
int DeleteHttpSlot(int slot);
int DeleteAllHttpSlots();

}  // namespace layer

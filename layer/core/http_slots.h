#pragma once

#include <string>

#include "layer/core/network_state.h"

namespace layer {

// The steps of the web requests (slots by index 0 to 99).

// Runs the slot's request from its state on, as far as the arrived bytes allow. 0.
int UpdateHttpSlot(int index);
int RunHttpGet(int index);
int RunHttpPost(int index);
int RunHttpHead(int index);
// Closes the slot's connection, frees its POST data and closes its file. The result and
// detail are set only while the slot has none; a slot that did not succeed loses its memory
// block and the caller's pointer is cleared. 0.
int FinishHttpSlot(int index, int result, int detail);
// Takes the next line up to and including its LF into `line` (without the LF); false until a
// whole line has arrived.
bool ReadHttpLine(HttpSlot& slot, std::string* line);
// The number after the first space; -1 without a space.
int ParseIntAfterSpace(const std::string& text);

}  // namespace layer

#pragma once

#include <string>
#include <vector>

namespace test {

// The pending sound, movie, key-input, IME and network services the layer core calls are
// recording fakes in the core's tests: each call is noted by name.
std::vector<std::string>& FakeCalls();
// The calls of the given names, in order.
std::vector<std::string> FakeCallsNamed(const std::vector<std::string>& names);
// Forgets the calls.
void ResetFakes();

}  // namespace test

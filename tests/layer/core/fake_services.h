#pragma once

#include <string>
#include <vector>

namespace test {

// The pending sound and movie services the layer core calls are recording fakes in the core's
// tests: each call is noted by name.
std::vector<std::string>& FakeCalls();
// The calls of the given names, in order.
std::vector<std::string> FakeCallsNamed(const std::vector<std::string>& names);
// Forgets the calls.
void ResetFakes();

// Notes a call by name and gives the fake's answer.
inline int NoteCall(const std::string& call, int result = 0) {
    FakeCalls().push_back(call);
    return result;
}

}  // namespace test

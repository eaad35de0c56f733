#include "tests/layer/core/fake_services.h"

#include <algorithm>

namespace test {

std::vector<std::string>& FakeCalls() {
    static std::vector<std::string> calls;
    return calls;
}

std::vector<std::string> FakeCallsNamed(const std::vector<std::string>& names) {
    std::vector<std::string> picked;
    for (const std::string& call : FakeCalls()) {
        const std::string name = call.substr(0, call.find('('));
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            picked.push_back(call);
        }
    }
    return picked;
}

void ResetFakes() {
    FakeCalls().clear();
}

}  // namespace test

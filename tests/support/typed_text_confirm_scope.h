#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace test {

// Sets QVARN_AUTO_CONFIRM for the scope, or unsets it: a running key-input string reads it at
// every typed-text service (the shared test main sets it for every test), so tests that type
// into one switch it off.
class TypedTextConfirmScope {
  public:
    explicit TypedTextConfirmScope(bool on) {
        if (const char* value = std::getenv(kName); value != nullptr)
            previous_ = value;
        if (on)
            setenv(kName, "1", 1);
        else
            unsetenv(kName);
    }
    ~TypedTextConfirmScope() {
        if (previous_)
            setenv(kName, previous_->c_str(), 1);
        else
            unsetenv(kName);
    }
    TypedTextConfirmScope(const TypedTextConfirmScope&) = delete;
    TypedTextConfirmScope& operator=(const TypedTextConfirmScope&) = delete;

  private:
    static constexpr const char* kName = "QVARN_AUTO_CONFIRM";
    std::optional<std::string> previous_;
};

}  // namespace test

#pragma once

#include <gtest/gtest.h>

#include <string>

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "platform/game_path.h"
#include "tests/support/fake_clock_scope.h"
#include "tests/support/temp_tree.h"

namespace test {

// A fresh log in a temporary folder, time stamps from a fake clock standing still until
// advanced; the log is left on with no folder afterwards.
class LogCapture : public testing::Test {
  protected:
    void SetUp() override {
        layer::SetLogEnabled(1);
        layer::SetLogFolder(platform::DiskPathToGamePath(tree.root().string()));
        layer::InitLog();
    }
    void TearDown() override {
        layer::SetLogFolder("");
        layer::SetLogEnabled(1);
        layer::ResetLogLine();
    }

    std::string ReadLog() const { return tree.read("Log.txt"); }

    TempTree tree;
    FakeClockScope clock{5'000'000'000'000};
};

}  // namespace test

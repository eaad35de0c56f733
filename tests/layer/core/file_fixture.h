#pragma once

#include <gtest/gtest.h>

#include <string>

#include "layer/core/archive_state.h"
#include "layer/core/file_lifecycle.h"
#include "layer/core/file_operation_table.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tests/layer/core/log_capture.h"

namespace test {

// A temporary game folder made current, fresh file operations and archive state, and a log to
// read.
class FileTest : public LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        layer::PlainFilesFlag = 0;
        layer::ResetFileSystem();
        previous_folder_ = platform::GetCurrentFolder();
        platform::SetCurrentFolder(GamePath(""));
    }
    void TearDown() override {
        layer::ResetFileSystem();
        platform::SetCurrentFolder(previous_folder_);
        LogCapture::TearDown();
    }

    // The game path of a file or folder below the temporary folder.
    std::string GamePath(std::string_view relative) const {
        std::string path = platform::DiskPathToGamePath(tree.root().string());
        if (!relative.empty()) {
            path += "\\";
            path += relative;
        }
        return path;
    }

    std::string previous_folder_;
};

}  // namespace test

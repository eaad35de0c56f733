#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/core/error_box.h"
#include "game/core/system_message_box.h"

namespace game {

// Captures error boxes and system message boxes for the scope, as CP932 lines.
class ReportCapture {
  public:
    ReportCapture() {
        errors().clear();
        boxes().clear();
        previous_error_ = SetErrorBoxSink(&CaptureError);
        previous_box_ = SetMessageBoxSink(&CaptureBox);
    }
    ~ReportCapture() {
        SetErrorBoxSink(previous_error_);
        SetMessageBoxSink(previous_box_);
    }
    ReportCapture(const ReportCapture&) = delete;
    ReportCapture& operator=(const ReportCapture&) = delete;

    struct ErrorLines {
        std::string line1, line2, line3;
    };
    struct Box {
        std::string text, caption;
        MessageBoxButtons buttons;
    };
    static std::vector<ErrorLines>& errors() {
        static std::vector<ErrorLines> lines;
        return lines;
    }
    static std::vector<Box>& boxes() {
        static std::vector<Box> shown;
        return shown;
    }

  private:
    static void CaptureError(std::string_view a, std::string_view b, std::string_view c) {
        errors().push_back({std::string(a), std::string(b), std::string(c)});
    }
    static MessageBoxResult CaptureBox(std::string_view text, std::string_view caption,
                                       MessageBoxButtons buttons) {
        boxes().push_back({std::string(text), std::string(caption), buttons});
        return MessageBoxResult::kOk;
    }

    ErrorBoxSink previous_error_;
    MessageBoxSink previous_box_;
};

}  // namespace game

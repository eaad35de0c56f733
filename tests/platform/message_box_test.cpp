#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/sjis.h"

namespace {

TEST(MessageBox, AutoConfirmAnswersOkAndCopiesTextToStderr) {
    testing::internal::CaptureStderr();
    const platform::MessageBoxResult result =
        platform::ShowMessageBox(test::Sjis(u8"セーブしますか？"), test::Sjis(u8"確認"),
                                 platform::MessageBoxButtons::kOkCancel);
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, platform::MessageBoxResult::kOk);
    EXPECT_NE(output.find("確認"), std::string::npos) << output;
    EXPECT_NE(output.find("セーブしますか？"), std::string::npos) << output;
}

TEST(MessageBox, HeadlessDriverAnswersOkWithoutAutoConfirm) {
    const char* confirm = std::getenv("QVARN_AUTO_CONFIRM");
    const std::string saved = confirm != nullptr ? confirm : "";
    unsetenv("QVARN_AUTO_CONFIRM");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    testing::internal::CaptureStderr();
    const platform::MessageBoxResult result =
        platform::ShowMessageBox("text", "caption", platform::MessageBoxButtons::kOk);
    const std::string output = testing::internal::GetCapturedStderr();
    if (confirm != nullptr)
        setenv("QVARN_AUTO_CONFIRM", saved.c_str(), 1);
    EXPECT_EQ(result, platform::MessageBoxResult::kOk);
    EXPECT_NE(output.find("text"), std::string::npos);
}

}  // namespace

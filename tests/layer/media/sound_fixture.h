#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "layer/media/media_services.h"
#include "layer/media/sound_system.h"
#include "platform/audio/audio_output.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tests/layer/core/log_capture.h"
#include "tools/lib/sound_tones.h"
#include "tools/lib/wav_writer.h"

namespace test {

// The sound system started on the manual output under the log capture's fake clock, which
// stands still until a test advances it: the mix renders exactly the time advanced. The log's
// temporary folder is the current folder.
class SoundSystemTest : public LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        previous_folder_ = platform::GetCurrentFolder();
        ASSERT_TRUE(platform::SetCurrentFolder(platform::DiskPathToGamePath(tree.root().string())));
        platform::SelectManualAudioOutput(true);
        ASSERT_EQ(layer::StartSoundSystem(), 0);
        platform::ClearManualAudioCapture();
    }
    void TearDown() override {
        layer::EndSoundSystem();
        platform::SelectManualAudioOutput(false);
        platform::SetCurrentFolder(previous_folder_);
        LogCapture::TearDown();
    }

    // Advances the clock, rendering that much of the mix.
    void Advance(int milliseconds) const {
        clock.Advance(static_cast<std::uint64_t>(milliseconds) * 1'000'000u);
    }

    // A plain sound of a tone, built from its WAV image.
    static int LoadSound(const tools::PcmSound& sound, int buffers,
                         const tools::WavOptions& options = {}) {
        const std::vector<std::uint8_t> image = tools::WriteWav(sound, options);
        return layer::CreateSoundFromFileImage(image.data(), static_cast<int>(image.size()),
                                               buffers, -1);
    }

    static std::uint32_t CursorOf(int sound, int buffer) {
        std::uint32_t cursor = 0;
        layer::GetPlaybackBufferCursor(layer::FindSound(sound)->buffers[buffer], &cursor);
        return cursor;
    }

    static bool BufferPlays(int sound, int buffer) {
        int playing = 0;
        layer::GetPlaybackBufferStatus(layer::FindSound(sound)->buffers[buffer], &playing);
        return playing != 0;
    }

  private:
    std::string previous_folder_;
};

}  // namespace test

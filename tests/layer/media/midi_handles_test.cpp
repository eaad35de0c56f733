#include "layer/media/midi_handles.h"

#include <gtest/gtest.h>

#include "tests/layer/media/sound_fixture.h"

namespace test {
namespace {

TEST_F(SoundSystemTest, TheEmptyMidiTableAnswersEveryOperation) {
    EXPECT_EQ(layer::PollMidiPlayState(), 0);
    EXPECT_EQ(layer::HandleMciNotify(), 0);
    EXPECT_EQ(layer::sound_system.midi.sequencer_playing, 0);
    EXPECT_EQ(layer::DeleteAllMidiHandles(), 0);
    const int midi = layer::MakeLayerHandle(layer::kMidiHandleKind, 0, 0);
    const int sound_kind = layer::MakeLayerHandle(layer::kSoundHandleKind, 0, 0);
    const int beyond = layer::MakeLayerHandle(layer::kMidiHandleKind, 0, 256);
    for (const int handle : {midi, sound_kind, beyond, -1}) {
        EXPECT_EQ(layer::GetMidiPlayState(handle), -1);
        EXPECT_EQ(layer::StopMidiHandle(handle), -1);
        EXPECT_EQ(layer::ReleaseMidiHandle(handle), -1);
    }
    EXPECT_EQ(layer::EndMusicFilePlayback(), 0);
}

TEST(MidiHandlesStopped, RefuseWithoutTheSoundSystem) {
    EXPECT_EQ(layer::PollMidiPlayState(), -1);
    EXPECT_EQ(layer::DeleteAllMidiHandles(), -1);
}

}  // namespace
}  // namespace test

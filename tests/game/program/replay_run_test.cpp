// A session of the demo played with keys, recorded, put into a save and played back from the
// title: the playback walks the same way and draws the same frames as the session did.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "game/core/variable_store.h"
#include "game/map/map_character.h"
#include "game/map/party.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "tests/game/program/demo_run_fixture.h"
#include "tools/lib/demo_game.h"
#include "tools/lib/save_file_writer.h"

namespace game {
namespace {

// What a run shows: the hero's position after every update, a frame every 10 updates and the
// variables at the end.
struct Session {
    std::vector<std::pair<int, int>> trace;
    std::vector<test::RgbaImage> frames;
    std::vector<std::int32_t> variables;
};

// Frames run on the fake clock, so that every update draws.
class ReplayRun : public DemoRun {
  protected:
    void SetUp() override {
        DemoRun::SetUp();
        UseFakeClock();
    }
    void TearDown() override {
        ReplayActive = 0;
        ReplayFinished = 0;
        DemoRun::TearDown();
    }

    // Single frames, each noted in the session; the first starts the game from its reset.
    void Step(long frames) {
        for (long frame = 0; frame < frames; ++frame) {
            if (restart_) {
                Start(1);
                restart_ = false;
            } else {
                Run(1);
            }
            const MapCharacter& hero = *GetPartyCharacter(TheParty, 0);
            session_.trace.emplace_back(hero.x, hero.y);
            if (session_.trace.size() % 10 == 0)
                session_.frames.push_back(ShownFrame());
        }
    }
    void Hold(SDL_Scancode key, long held, long after) {
        test::PushKey(key, true);
        Step(held);
        test::PushKey(key, false);
        Step(after);
    }
    // The session's end: its variables, and the session handed over.
    Session Finish() {
        const auto& first = TheVariableStore.variableSets[0];
        session_.variables.assign(first.begin(), first.end());
        return std::exchange(session_, Session{});
    }

    // The recorded keys put into a save of the running game as slot 2.
    void SaveTheRecording() {
        ReplayRecorder recorder = TheReplayRecorder;
        recorder.FlushReplayRun();
        ASSERT_TRUE(WriteSaveFile(1, true, kDefaultSavePrefix));
        std::ifstream in(folder_.tree().path("Save/SaveData01.sav"), std::ios::binary);
        const std::vector<std::uint8_t> save((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
        folder_.Write("Save/SaveData02.sav", tools::PutReplayIntoSave(save, recorder));
    }
    // Slot 2's replay started as command 220 starts it, and played for `frames` updates.
    Session PlayBack(long frames) {
        EXPECT_TRUE(ReadSaveFile(2, false, true, kDefaultSavePrefix));
        restart_ = true;
        Step(frames);
        EXPECT_EQ(ReplayActive, 1);
        EXPECT_EQ(ReplayFinished, 0);
        return Finish();
    }

    // Where two frames differ: the box around the differing pixels, or "none".
    static std::string Difference(const test::RgbaImage& a, const test::RgbaImage& b) {
        int left = 640, top = 480, right = -1, bottom = -1;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const std::size_t at = static_cast<std::size_t>((y * 640 + x) * 4);
                if (std::equal(a.pixels.begin() + long(at), a.pixels.begin() + long(at + 4),
                               b.pixels.begin() + long(at)))
                    continue;
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
        if (right < 0)
            return "none";
        return std::to_string(left) + "," + std::to_string(top) + " to " + std::to_string(right) +
               "," + std::to_string(bottom);
    }

    // The frame without the playback clock's corner, which only playbacks draw.
    static test::RgbaImage WithoutClock(test::RgbaImage image) {
        for (int y = 460; y < 480; ++y) {
            for (int x = 530; x < 640; ++x) {
                for (int c = 0; c < 4; ++c)
                    image.pixels[static_cast<std::size_t>((y * 640 + x) * 4 + c)] = 0;
            }
        }
        return image;
    }

    Session session_;
    // The next frame starts the scenes again from the reset.
    bool restart_ = true;
};

TEST_F(ReplayRun, APlaybackRepeatsTheRecordedSession) {
    // Through the title, the name prompt and the greeting, then a walk.
    Step(60);
    for (const SDL_Scancode key : {SDL_SCANCODE_RETURN, SDL_SCANCODE_Z, SDL_SCANCODE_SPACE}) {
        if (TheVariableStore.ReadValueById(2000000) == 0)
            Hold(key, 3, 30);
    }
    ASSERT_EQ(TheVariableStore.ReadValueById(2000000), 1);
    Step(5);
    Hold(SDL_SCANCODE_RETURN, 3, 30);
    // The frames are compared from here on: the title's windows blink their cursors by the
    // clock, which a playback does not repeat.
    const std::size_t onTheMap = session_.frames.size();
    Hold(SDL_SCANCODE_RIGHT, 40, 10);
    Hold(SDL_SCANCODE_DOWN, 20, 10);
    Hold(SDL_SCANCODE_LEFT, 15, 20);
    const long frames = static_cast<long>(session_.trace.size());
    const Session recorded = Finish();
    ASSERT_NE(recorded.trace.front(), recorded.trace.back()) << "the hero walked";
    ASSERT_GT(recorded.frames.size(), onTheMap + 5);
    SaveTheRecording();

    const Session first = PlayBack(frames);
    const Session second = PlayBack(frames);
    EXPECT_EQ(first.trace, recorded.trace);
    // The play counter of "Save\System.sav" is the one value from outside the record: the
    // session wrote its count, a playback writes nothing.
    const std::size_t counter = tools::kDemoPlayCounterVariable - 2000000;
    std::vector<std::int32_t> playedVariables = first.variables;
    EXPECT_EQ(playedVariables.at(counter), recorded.variables.at(counter) + 1);
    playedVariables[counter] = recorded.variables[counter];
    EXPECT_EQ(playedVariables, recorded.variables);
    ASSERT_EQ(first.frames.size(), recorded.frames.size());
    for (std::size_t i = onTheMap; i < recorded.frames.size(); ++i) {
        EXPECT_EQ(Difference(WithoutClock(first.frames[i]), WithoutClock(recorded.frames[i])),
                  "none")
            << "update " << 10 * (i + 1);
    }
    EXPECT_EQ(second.trace, first.trace);
    EXPECT_EQ(second.variables, first.variables);
    ASSERT_EQ(second.frames.size(), first.frames.size());
    for (std::size_t i = onTheMap; i < first.frames.size(); ++i)
        EXPECT_EQ(Difference(second.frames[i], first.frames[i]), "none")
            << "update " << 10 * (i + 1);
}

}  // namespace
}  // namespace game

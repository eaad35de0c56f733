#include "tools/lib/save_file_writer.h"

#include <sstream>
#include <stdexcept>
#include <string>

#include "game/core/save_buffer.h"
#include "game/save/save_frame.h"

namespace tools {

std::vector<std::uint8_t> WriteSaveFileImage(game::SaveState& state,
                                             const SaveFileOptions& options) {
    game::ScrambleHeader header{options.seeds, 0};
    return game::BuildSaveFile(state, options.version, header);
}

std::vector<std::uint8_t> PutReplayIntoSave(const std::vector<std::uint8_t>& save,
                                            const game::ReplayRecorder& recorder) {
    const game::DataFileFrame& frame = game::kSaveFileFrame;
    game::OpenedDataFile opened = game::OpenDataFile(save, frame);
    std::vector<std::uint8_t>& image = opened.image;
    if (image.size() < 2 || image[image.size() - 2] != 0 || image.back() != game::kSaveSentinel)
        throw std::invalid_argument("not a save without replay data");
    game::SaveBuffer part;
    part.WriteByte(1);
    part.WriteInt(static_cast<std::int32_t>(recorder.Entries.size()));
    for (std::size_t i = 0; i < recorder.Entries.size(); ++i) {
        part.WriteByte(recorder.Entries[i]);
        if (recorder.Entries[i] >= game::ReplayRecorder::kSeedMarker)
            part.WriteInt(recorder.Values[i]);
        else
            part.WriteByte(static_cast<std::uint8_t>(recorder.Values[i]));
    }
    image.resize(image.size() - 2);
    image.insert(image.end(), part.block().begin(), part.block().begin() + long(part.end()));
    image.push_back(game::kSaveSentinel);
    const std::vector<std::uint8_t> filler(save.begin(), save.begin() + frame.headerLength);
    game::SealDataFile(image, frame, opened.seeds, filler);
    return image;
}

game::ReplayRecorder RecorderFromKeyScript(std::string_view script, std::int32_t seed) {
    game::ReplayRecorder recorder;
    recorder.Entries.clear();
    recorder.Values.clear();
    recorder.PushReplaySeed(seed);
    std::istringstream lines{std::string(script)};
    int frames = 0;
    int key = 0;
    while (lines >> frames >> key) {
        for (; frames > 0; frames -= game::ReplayRecorder::kLongestRun) {
            const int run = std::min<int>(frames, game::ReplayRecorder::kLongestRun);
            recorder.Entries.push_back(static_cast<std::uint8_t>(run));
            recorder.Values.push_back(key & 0xFF);
        }
    }
    return recorder;
}

}  // namespace tools

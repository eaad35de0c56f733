#include "game/save/save_frame.h"

#include <string>

#include "game/core/data_file_scrambler.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/game_info.h"
#include "game/core/save_buffer.h"
#include "game/save/save_body.h"
#include "game/save/save_fields.h"
#include "game/save/save_frame_texts.h"

namespace game {
namespace {

const std::string& GameTitle() {
    static const std::string kNoTitle;
    return TheGameInfo.gameStrings.empty() ? kNoTitle : TheGameInfo.gameStrings[0];
}

}  // namespace

std::vector<std::uint8_t> BuildSaveFile(SaveState& state, std::int16_t version,
                                        const ScrambleHeader& header) {
    const DataFileFrame& frame = kSaveFileFrame;
    SaveBuffer save;
    save.WriteBytes(std::vector<std::uint8_t>(static_cast<std::size_t>(frame.headerLength)).data(),
                    static_cast<std::size_t>(frame.headerLength));
    save.WriteByte(kSaveSentinel);
    WriteSaveTitle(save, version);
    WriteSaveBody(save, state);
    save.WriteByte(kSaveSentinel);
    std::vector<std::uint8_t> file(save.block().begin(),
                                   save.block().begin() + static_cast<long>(save.end()));
    SealDataFile(file, frame, header);
    return file;
}

void WriteSaveTitle(SaveBuffer& save, std::int16_t version) {
    WriteStr16(save, GameTitle());
    WriteInt16(save, version);
    save.set_version(static_cast<std::uint16_t>(version));
}

bool CheckSaveTitle(SaveBuffer& save, TitleReport report) {
    std::string title;
    std::int16_t version = 0;
    if (!ReadStr16(save, title) || !ReadInt16(save, version))
        return false;
    save.set_version(static_cast<std::uint16_t>(version));
    if (title == GameTitle())
        return true;
    if (report == TitleReport::kShown)
        ShowErrorBox(kSaveErrorLine, FormatText(kForeignGameFormat, title.c_str()), "");
    return false;
}

}  // namespace game

#include "game/core/damaged_data_file.h"

#include "game/core/damaged_data_file_texts.h"
#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/format_text.h"

namespace game {
namespace {}  // namespace

void StopOnDamagedDataFile(const std::string& fileName) {
    ShowErrorBox(FormatText(kDamagedFormat, fileName.c_str()), "", "");
    ExitProgram(1);
}

}  // namespace game

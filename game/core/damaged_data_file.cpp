#include "game/core/damaged_data_file.h"

#include "game/core/damaged_data_file_texts.h"
#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/format_text.h"

namespace game {

void ReportDamagedDataFile(const std::string& fileName) {
    ShowErrorBox(FormatText(kDamagedFormat, fileName.c_str()), "", "");
}

void StopOnDamagedDataFile(const std::string& fileName) {
    ReportDamagedDataFile(fileName);
    ExitProgram(1);
}

}  // namespace game

#include "game/core/damaged_data_file.h"

#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/format_text.h"

namespace game {
namespace {

// "ファイル %s が改竄されたか、破損している可能性があります。\nロードを中止します。"
constexpr char kDamagedFormat[] =
    "\x83t\x83@\x83"
    "C\x83\x8B %s \x82\xAA\x89\xFC\xE2\x82\x82\xB3\x82\xEA\x82\xBD\x82\xA9\x81"
    "A\x94j\x91\xB9\x82\xB5\x82\xC4\x82\xA2\x82\xE9\x89\xC2\x94\x5C\x90\xAB\x82\xAA\x82\xA0"
    "\x82\xE8\x82\xDC\x82\xB7\x81"
    "B\n\x83\x8D\x81[\x83h\x82\xF0\x92\x86\x8E~\x82\xB5\x82\xDC\x82\xB7\x81"
    "B";

}  // namespace

void StopOnDamagedDataFile(const std::string& fileName) {
    ShowErrorBox(FormatText(kDamagedFormat, fileName.c_str()), "", "");
    ExitProgram(1);
}

}  // namespace game

#include "game/interpreter/string_operation.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/core/data_file_loading.h"
#include "game/core/display_scale.h"
#include "game/core/error_box.h"
#include "game/core/game_folder.h"
#include "game/core/play_settings.h"
#include "game/core/processing_point.h"
#include "game/core/screen_state.h"
#include "game/core/shift_jis_byte_kind.h"
#include "game/core/variable_ids.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/message_text.h"
#include "game/interpreter/message_text_internal.h"
#include "game/interpreter/string_edit.h"
#include "game/interpreter/string_operation_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

enum SourceKind { kLiteral = 0, kVariable = 1, kVariableByNumber = 2, kKeyInput = 3 };
enum Operation {
    kAssign = 0,
    kAppend = 1,
    kFirstLine = 2,
    kCutFirstLine = 3,
    kCutFirstCharacter = 4,
    kReadFile = 5,
    kWriteFile = 6,
    kListFolder = 7,
    kRemove = 8,
    kReplace = 9,
};
constexpr std::int32_t kTargetByNumber = 0x10;
constexpr std::int32_t kEscapeCancels = 0x1000;
constexpr std::int32_t kStartWithTarget = 0x2000;

struct Command {
    EventInterpreter& interpreter;
    const EventCommand& line;
    std::int32_t target;
    int sourceKind;
    int operation;
    std::int32_t operand;  // int 3
};

std::string Expand(const Command& command, const std::string& text, bool atLine) {
    MessageTextOptions options;
    options.atLine = atLine;
    return ExpandMessageText(text, command.interpreter.eventNumber,
                             command.interpreter.commonNumber, command.interpreter.mapId, options);
}

// The string variable of source kind 2: the one a numeric variable names, else int 3 itself.
std::int32_t NamedStringId(Command& command) {
    return IsNumberVariableId(command.operand)
               ? command.interpreter.ReadInterpreterValue(command.operand)
               : command.operand;
}

// The game folder's form of a path inside it.
std::string InGameFolder(const std::string& path) {
    return GetExeDirectory() + path;
}

// The file's text up to its first zero byte; "<NoFile>" when it cannot be opened or read whole.
std::string ReadTextFile(const std::string& name) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeDataFile(name);
    if (!bytes)
        return "<NoFile>";
    return std::string(bytes->begin(), std::find(bytes->begin(), bytes->end(), 0));
}

std::string ListFolderNames(std::string folder) {
    std::replace(folder.begin(), folder.end(), '\x01', '\\');
    std::vector<std::string> names;
    layer::ListFolder(
        InGameFolder(folder).c_str(),
        [](const char* name, void* context) {
            static_cast<std::vector<std::string>*>(context)->push_back(name);
        },
        &names);
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : "\n") + name;
    return list;
}

// Writes the target's present text to a file in the game folder, line feeds as carriage
// return and line feed.
void WriteTextFile(const std::string& name, const std::string& text) {
    const std::string path = RevertControlCodes(name);
    if (name.empty() || path.empty()) {
        if (TestPlayMode != 0)
            ShowErrorBox(kWriteNameEmpty, GetProcessingPointText(), "");
        return;
    }
    if (LeavesGameFolder(name) || LeavesGameFolder(path)) {
        if (TestPlayMode != 0)
            ShowErrorBox(kWriteNameRefused1, kWriteNameRefused2, GetProcessingPointText());
        return;
    }
    std::string bytes;
    for (char c : RevertControlCodes(text)) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    if (layer::WriteWholeFile(InGameFolder(path).c_str(), bytes.data(),
                              static_cast<int>(bytes.size())) != 0)
        ShowErrorBox(kWriteFailed1, kWriteFailed2, path);
}

// Starts the player's typing into the target; false while another typing runs.
bool StartKeyInput(Command& command, const std::string& targetText) {
    if (TheScreenState.StringInputActive != 0)
        return false;
    EventInterpreter& interpreter = command.interpreter;
    TheScreenState.StringInputActive = 1;
    TheMainInterpreter.TextInputState = 1;
    layer::SetStandardFontSize(TheMainInterpreter.DefaultFontSize * ZoomFactor);
    const std::int32_t maxLength = interpreter.ReadInterpreterValue(command.operand);
    const int handle = layer::CreateTextInput(
        maxLength, (Arg(command.line, 2) & kEscapeCancels) != 0 ? 1 : 0, 0, 0);
    layer::ActivateTextInput(handle);
    interpreter.textInputHandle = handle;
    if ((Arg(command.line, 2) & kStartWithTarget) != 0) {
        std::string present = interpreter.ReadInterpreterString(command.target);
        if (maxLength >= 0 && present.size() > static_cast<std::size_t>(maxLength)) {
            std::size_t length = static_cast<std::size_t>(maxLength);
            if (length > 0 && GetShiftJisByteKind(present, length - 1) == kLeadByte)
                --length;
            present.resize(length);
        }
        layer::SetTextInputString(present.c_str(), handle);
    }
    interpreter.textTarget = command.target;
    interpreter.textBuffer = targetText;
    return true;
}

// Writes the rest of a cut back into the source variable.
void WriteBack(Command& command, const std::string& rest, bool byErrorText) {
    EventInterpreter& interpreter = command.interpreter;
    if (command.sourceKind == kVariable) {
        interpreter.StoreInterpreterString(command.operand, rest);
    } else if (command.sourceKind == kVariableByNumber) {
        const bool named = byErrorText
                               ? interpreter.ReadInterpreterString(command.operand) == "<<ERROR>>"
                               : IsNumberVariableId(command.operand);
        interpreter.StoreInterpreterString(
            named ? interpreter.ReadInterpreterValue(command.operand) : command.operand, rest);
    }
}

}  // namespace

std::uint8_t StringOperation(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t word = Arg(line, 2);
    Command command{interpreter,
                    line,
                    (word & kTargetByNumber) != 0 ? interpreter.ReadInterpreterValue(Arg(line, 1))
                                                  : Arg(line, 1),
                    word & 15,
                    (word >> 8) & 15,
                    Arg(line, 3)};
    const int operation = command.operation;
    std::string targetText;
    if (operation == kAppend || operation == kWriteFile || operation == kRemove ||
        operation == kReplace)
        targetText = interpreter.ReadInterpreterString(command.target);

    std::string source;
    switch (command.sourceKind) {
        case kLiteral:
            source = Expand(command, Str(line, 0), false);
            break;
        case kVariable:
            source = interpreter.ReadInterpreterString(command.operand);
            break;
        case kVariableByNumber:
            source = interpreter.ReadInterpreterString(NamedStringId(command));
            break;
        case kKeyInput:
            if (!StartKeyInput(command, targetText))
                return 0;
            targetText.clear();
            break;
        default:
            break;
    }

    switch (operation) {
        case kFirstLine:
            source = FirstLineOf(source);
            break;
        case kCutFirstLine:
            WriteBack(command, AfterFirstLine(source), false);
            source = FirstLineOf(source);
            break;
        case kCutFirstCharacter: {
            const std::size_t length = FirstCharacterLength(source);
            WriteBack(command, source.substr(length), true);
            source.resize(length);
            break;
        }
        case kReadFile:
            source = ReadTextFile(RevertControlCodes(source));
            break;
        case kWriteFile:
            WriteTextFile(source, targetText);
            return 1;
        case kListFolder:
            source = ListFolderNames(source);
            break;
        case kRemove:
            targetText = RemoveOccurrences(std::move(targetText), source);
            source.clear();
            break;
        case kReplace:
            targetText = ReplaceOccurrences(std::move(targetText), source,
                                            Expand(command, Str(line, 1), true));
            source.clear();
            break;
        default:
            break;
    }

    const std::string result = targetText + Expand(command, source, false);
    if (IsNumberVariableId(command.target)) {
        interpreter.StoreInterpreterValue(
            command.target,
            ReadTextNumber(result, 0, [&](std::size_t i) { return result[i] == '\0'; }));
    } else {
        interpreter.StoreInterpreterString(command.target, result);
    }
    return 1;
}

}  // namespace game

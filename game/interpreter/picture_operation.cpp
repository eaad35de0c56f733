// The picture command: its operation word chooses show, move, erase or cancel; value
// arguments are read through the interpreter, and only those the operation uses.
#include <algorithm>
#include <optional>

#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/message_text.h"
#include "game/interpreter/screen_commands.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_list.h"

namespace game {
namespace {

enum Operation { kShow = 0, kMove = 1, kErase = 2, kCancel = 3 };
enum Source { kFile = 0, kFileVariable = 1, kText = 2, kWindowFile = 3, kWindowFileVariable = 4 };

constexpr std::int32_t kRangeBit = 0x1000000;
constexpr std::int32_t kMapLinkBit = 0x2000000;
constexpr int kMapLinkFlag = 0x100;

// The operation word's fields.
struct OperationWord {
    explicit OperationWord(std::int32_t word)
        : operation(word & 15),
          source((word >> 4) & 15),
          blendKind((word >> 8) & 15),
          anchor((word >> 12) & 15),
          relative(((word >> 16) & 15) == 1),
          zoomMode((word >> 20) & 15),
          range((word & kRangeBit) != 0),
          mapLink((word & kMapLinkBit) != 0) {}

    int operation, source, blendKind, anchor;
    bool relative;
    int zoomMode;
    bool range, mapLink;
};

// The line's value argument at index, when the line reaches it.
std::optional<std::int32_t> OptionalValue(EventInterpreter& interpreter, std::size_t index) {
    const EventCommand& line = interpreter.CurrentLine();
    if (line.args.size() <= index)
        return std::nullopt;
    return interpreter.ReadInterpreterValue(line.args[index]);
}

// The range end's place in the line, by operation.
std::size_t RangeEndIndex(int operation) {
    constexpr std::size_t kRangeEnds[] = {15, 15, 6, 3};
    return kRangeEnds[operation];
}

// The arguments a show and a move share; a show also reads the split.
PictureArgs ReadShowOrMove(EventInterpreter& interpreter, const OperationWord& word, bool show,
                           int colour, int delay, int& zoom) {
    const EventCommand& line = interpreter.CurrentLine();
    const auto value = [&](std::size_t index) {
        return interpreter.ReadInterpreterValue(Arg(line, index));
    };
    PictureArgs args;
    args.duration = value(3);
    if (show) {
        args.splitX = value(4);
        args.splitY = value(5);
    }
    args.pattern = value(6);
    args.opacity = value(7);
    args.x = value(8);
    args.y = value(9);
    zoom = value(10);
    args.angle = value(11);
    args.flags = word.blendKind + (show && word.mapLink ? kMapLinkFlag : 0);
    args.anchor = word.anchor;
    args.colour = colour;
    args.delay = delay;
    args.relative = word.relative;
    return args;
}

// The file of a show: string 0, or the string variable that int 12 names, its codes reverted.
std::string ShownFile(EventInterpreter& interpreter, bool fromVariable) {
    const EventCommand& line = interpreter.CurrentLine();
    if (!fromVariable)
        return Str(line, 0);
    return RevertControlCodes(interpreter.ReadInterpreterString(Arg(line, 12)));
}

void Show(EventInterpreter& interpreter, const OperationWord& word, int first, int last, int colour,
          int delay) {
    int zoom = 0;
    PictureArgs args = ReadShowOrMove(interpreter, word, true, colour, delay, zoom);
    if (word.source == kText) {
        MessageTextOptions options;
        options.atLine = true;
        args.text = ExpandMessageText(Str(interpreter.CurrentLine(), 0), interpreter.eventNumber,
                                      interpreter.commonNumber, interpreter.mapId, options);
        ShowStringPictures(ThePictureList, first, last, args, zoom, word.zoomMode);
        return;
    }
    if (word.source > kWindowFileVariable)
        return;
    args.text =
        ShownFile(interpreter, word.source == kFileVariable || word.source == kWindowFileVariable);
    ShowPictures(ThePictureList, first, last, args, zoom, word.zoomMode,
                 word.source >= kWindowFile);
}

}  // namespace

std::uint8_t PictureOperation(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const OperationWord word(Arg(line, 1));
    if (word.operation > kCancel)
        return 1;
    const bool showOrMove = word.operation == kShow || word.operation == kMove;
    int colour = kNeutralColour;
    int delay = 0;
    if (showOrMove) {
        if (line.args.size() >= 14)
            colour = Arg(line, 13);
        delay = OptionalValue(interpreter, 14).value_or(0);
    } else if (word.operation == kErase) {
        delay = OptionalValue(interpreter, 4).value_or(0);
        if (line.args.size() >= 6)
            colour = Arg(line, 5);
    }
    const int number = interpreter.ReadInterpreterValue(Arg(line, 2));
    int first = number;
    int last = number;
    if (word.range) {
        if (const auto end = OptionalValue(interpreter, RangeEndIndex(word.operation))) {
            first = std::min(number, *end);
            last = std::max(number, *end);
        }
    }
    if (word.operation == kShow) {
        Show(interpreter, word, first, last, colour, delay);
    } else if (word.operation == kMove) {
        int zoom = 0;
        const PictureArgs args = ReadShowOrMove(interpreter, word, false, colour, delay, zoom);
        MovePictures(ThePictureList, first, last, args, zoom, word.zoomMode);
    } else if (word.operation == kErase) {
        ErasePictures(ThePictureList, first, last, interpreter.ReadInterpreterValue(Arg(line, 3)),
                      delay, colour);
    } else {
        CancelDelayedPictureCommands(ThePictureList, first, last);
    }
    return 1;
}

}  // namespace game

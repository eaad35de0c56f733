// The coded-text renderer. Every pass walks the text from its first byte, so the state that
// control codes set is rebuilt each time; the waits compare positions so that each fires
// once. Divisions truncate toward zero throughout.
#include "game/presentation/render_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/error_box.h"
#include "game/core/game_info.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/message_text.h"
#include "game/map/image_cache.h"
#include "game/presentation/text_layer_calls.h"
#include "game/presentation/text_resources.h"
#include "game/presentation/text_state.h"

namespace game {
namespace {

constexpr char kDrawFailure[] = "Can't Draw Message.";
constexpr int kColourType = 12;
constexpr int kRubyColour = 13;
constexpr int kTextThickness = 5;
constexpr int kDefaultLineSpacing = -1000000;
constexpr int kTimedWaitFrames = 16;
constexpr int kIconCount = 1000;
constexpr int kTileSizeFlag = 0;
constexpr int kCharSpacingFlag = 10;
constexpr int kLineSpacingFlag = 11;
constexpr int kChoiceLineSpacingFlag = 12;

std::optional<std::vector<int>> TextColourTable;

const std::vector<int>& Colours() {
    if (!TextColourTable) {
        TextColourTable.emplace();
        const int count = SysDataBase.GetDBDataCount(kColourType);
        for (int record = 0; record < count; ++record) {
            std::array<int, 3> rgb{};
            for (int part = 0; part < 3; ++part)
                rgb[static_cast<std::size_t>(part)] =
                    std::max(0, SysDataBase.ReadDBValue(kColourType, record, part));
            TextColourTable->push_back(TheTextLayerCalls.MakeScreenColor(rgb[0], rgb[1], rgb[2]));
        }
    }
    return *TextColourTable;
}

// Past the end the last colour is used; without colours, white.
int TextColour(int number) {
    const std::vector<int>& colours = Colours();
    if (colours.empty())
        return TheTextLayerCalls.MakeScreenColor(255, 255, 255);
    return colours[static_cast<std::size_t>(std::clamp<int>(number, 0, colours.size() - 1))];
}

int GameFlag(int index) {
    const std::vector<std::int8_t>& flags = TheGameInfo.gameFlags;
    return index < static_cast<int>(flags.size()) ? flags[static_cast<std::size_t>(index)] : 0;
}

int Entry(const std::vector<int>& list, int index) {
    return index >= 0 && index < static_cast<int>(list.size())
               ? list[static_cast<std::size_t>(index)]
               : 0;
}

void GrowTo(std::vector<int>& list, int count) {
    if (static_cast<int>(list.size()) < count)
        list.resize(static_cast<std::size_t>(count), 0);
}

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

int Digit(unsigned char byte) {
    return (byte - 14) & 0xFF;
}

// Readers of the value bytes that follow a code byte; each value byte holds (part + 14)
// mod 256, two-byte values high byte first.
int NoValue(unsigned char, unsigned char) {
    return 0;
}
int UnsignedByte(unsigned char first, unsigned char) {
    return Digit(first);
}
int SignedByte(unsigned char first, unsigned char) {
    return static_cast<std::int8_t>(first) - 14;
}
// Stored as itself, with 0 written as 0xFF.
int RawByte(unsigned char first, unsigned char) {
    return first == 0xFF ? 0 : static_cast<std::int8_t>(first);
}
int Base112(unsigned char high, unsigned char low) {
    return Digit(high) * 112 + Digit(low);
}
int Base256(unsigned char high, unsigned char low) {
    return Digit(high) * 256 + Digit(low);
}
int Offset32000(unsigned char high, unsigned char low) {
    return Base256(high, low) - 32000;
}

struct CodeShape {
    int valueBytes;
    // Value bytes added to ControlBytes; the others cost reveal progress like text.
    int countedValueBytes;
    int (*decode)(unsigned char first, unsigned char second);
};

// By code byte.
constexpr std::array<CodeShape, 26> kCodeShapes{{
    {0, 0, NoValue},     {0, 0, NoValue},     {2, 2, Base112},     {1, 1, UnsignedByte},
    {1, 1, SignedByte},  {0, 0, NoValue},     {0, 0, NoValue},     {1, 1, RawByte},
    {0, 0, NoValue},     {0, 0, NoValue},     {0, 0, NoValue},     {0, 0, NoValue},
    {2, 2, Base256},     {0, 0, NoValue},     {0, 0, NoValue},     {0, 0, NoValue},
    {0, 0, NoValue},     {1, 1, SignedByte},  {2, 2, Offset32000}, {0, 0, NoValue},
    {0, 0, NoValue},     {0, 0, NoValue},     {2, 0, Base256},     {0, 0, NoValue},
    {2, 0, Offset32000}, {2, 0, Offset32000},
}};

constexpr unsigned char kEscapedBackslashCode = 1;
constexpr unsigned char kRubyCode = 9;
constexpr unsigned char kInlineImageCode = 23;

// The values of one pass that the TextState does not keep.
struct Pass {
    TextState& text;
    bool draw;
    double zoomX;
    double zoomY;
    bool scaled;
    int lineHeightSoFar = 0;
    int spacingReduction = 0;
    int charSpacing = 0;
    int lineSpacing = kDefaultLineSpacing;
    int alignment = 0;
    bool revealAll = false;
    // Set when the text ends inside a control code.
    bool ended = false;
};

int HalfScale(const Pass& pass, int value) {
    return value * pass.text.Scale / 2;
}

int CurrentFont(const Pass& pass) {
    const int pixels = HalfScale(pass, pass.text.FontSize);
    GetCachedFont(TheTextResources, pass.text.FontSlot, pixels, kTextThickness, pass.text.EdgeOn);
    return CachedFontHandle(TheTextResources, pass.text.FontSlot, pixels, pass.text.EdgeOn);
}

// Centred lines move by half their shortfall to the widest line, right-aligned by all of it.
int AlignmentOffset(const Pass& pass) {
    const TextState& text = pass.text;
    const int shortfall = text.MaxLinePixelWidth - Entry(text.LinePixelWidths, text.LineIndex);
    return static_cast<int>(shortfall * pass.alignment * pass.zoomX / 2.0);
}

int ItemX(const Pass& pass, int penX) {
    return pass.text.OriginX + (pass.scaled ? static_cast<int>(pass.zoomX * penX) : penX);
}

// y of an item whose top lies `offset` below the pen's line top (pixels and logical units
// added as they are).
int ItemY(const Pass& pass, int offset) {
    const int y = pass.text.PenY + offset;
    return pass.text.OriginY + (pass.scaled ? static_cast<int>(pass.zoomY * y) : y);
}

bool InVisibleBand(const Pass& pass, int x, int y, int width, int height) {
    if (pass.scaled) {
        width = static_cast<int>(width * pass.zoomX);
        height = static_cast<int>(height * pass.zoomY);
    }
    return x > -(width + 2 * TileSize) * ZoomFactor && x < TileSize * 20 * ZoomFactor &&
           y < TileSize * 15 * ZoomFactor && y > -(height + 2 * TileSize) * ZoomFactor;
}

// Draws a string with the shadow that the text switch asks for; reports a failed draw once
// per layout.
void DrawString(Pass& pass, int x, int y, const std::string& text, int colour, int font) {
    const TextLayerCalls& calls = TheTextLayerCalls;
    const auto print = [&](int px, int py, int pcolour) {
        if (pass.scaled)
            return calls.PrintTextScaledWithFont(px, py, pass.zoomX, pass.zoomY, text.c_str(),
                                                 pcolour, font, 0, 0);
        return calls.PrintTextWithFont(px, py, text.c_str(), pcolour, font, 0, 0);
    };
    if (TheMainInterpreter.TextDrawSwitch != 0)
        print(x + 1, y + 1, calls.MakeScreenColor(0, 0, 0));
    const int result = print(x, y, colour);
    if (!pass.scaled && result == -1 && pass.text.DrawFailureShown == 0) {
        pass.text.DrawFailureShown = 1;
        ShowErrorBox(kDrawFailure, pass.text.SourceText, "");
    }
}

int Advance(const Pass& pass, int width, int bytes) {
    return width - HalfScale(pass, pass.spacingReduction) -
           HalfScale(pass, bytes * pass.charSpacing) / 2;
}

void ApplyChoiceHeights(Pass& pass) {
    if (pass.text.ChoiceLayout != 0)
        pass.text.LineHeights.resize(
            static_cast<std::size_t>(std::max(0, TheScreenState.choiceCount)), 0);
}

void DrawCharacter(Pass& pass, const std::string& character) {
    TextState& text = pass.text;
    pass.lineHeightSoFar = std::max(pass.lineHeightSoFar, text.FontSize);
    const int font = CurrentFont(pass);
    if (pass.draw) {
        const int x = ItemX(pass, text.PenX);
        const int y = ItemY(pass, pass.lineHeightSoFar - text.FontSize);
        if (InVisibleBand(pass, x, y, text.FontSize, text.FontSize))
            DrawString(pass, x + AlignmentOffset(pass), y, character, TextColour(text.ColourNumber),
                       font);
    }
    const int bytes = static_cast<int>(character.size());
    const int width = TheTextLayerCalls.MeasureTextWidthWithFont(character.c_str(), bytes, font, 0);
    text.PenX += Advance(pass, width, bytes);
    if (!pass.draw)
        text.RecordLineMetrics(pass.lineHeightSoFar);
    ApplyChoiceHeights(pass);
}

void StartNewLine(Pass& pass) {
    TextState& text = pass.text;
    text.PenX = 0;
    text.PenY += HalfScale(pass, pass.lineHeightSoFar);
    if (text.ChoiceLayout != 0)
        GrowTo(text.LineHeights, text.LineIndex + 1);
    if (Entry(text.LineHeights, text.LineIndex) != 0) {
        const int tile = GameFlag(kTileSizeFlag);
        if (pass.lineSpacing == kDefaultLineSpacing) {
            const int flag =
                GameFlag(text.ChoiceLayout != 0 ? kChoiceLineSpacingFlag : kLineSpacingFlag);
            text.PenY += HalfScale(pass, flag * tile / 32);
        } else {
            text.PenY += HalfScale(pass, pass.lineSpacing) * tile / 32;
        }
    }
    ++text.LineIndex;
    pass.lineHeightSoFar = 0;
    if (text.ChoiceLayout == 0) {
        pass.lineHeightSoFar = text.FontSize;
        GrowTo(text.LineHeights, text.LineIndex + 1);
        if (!pass.draw)
            text.LineHeights[static_cast<std::size_t>(text.LineIndex)] =
                HalfScale(pass, text.FontSize);
    }
}

// The next character from ByteIndex: two bytes for a lead byte that is not the last byte.
std::string TakeCharacter(TextState& text) {
    const auto at = static_cast<std::size_t>(text.ByteIndex);
    const bool twoBytes = IsLeadByte(static_cast<unsigned char>(text.WorkingText[at])) &&
                          at + 1 < text.WorkingText.size();
    const std::size_t length = twoBytes ? 2 : 1;
    text.ByteIndex += static_cast<int>(length);
    return text.WorkingText.substr(at, length);
}

// The characters up to the terminator, which is passed over. A character that begins at the
// text's last byte ends the run without being taken.
std::vector<std::string> TakeCharactersUntil(TextState& text, char terminator) {
    std::vector<std::string> characters;
    const int length = static_cast<int>(text.WorkingText.size());
    while (text.ByteIndex < length) {
        if (text.ByteIndex == length - 1) {
            text.ByteIndex = length;
            break;
        }
        std::string character = TakeCharacter(text);
        if (character.size() == 1 && character[0] == terminator)
            break;
        characters.push_back(std::move(character));
    }
    return characters;
}

// An icon or an inline image of w x h pixels.
void DrawGraph(Pass& pass, int graph, int width, int height, bool image) {
    TextState& text = pass.text;
    pass.lineHeightSoFar = std::max(pass.lineHeightSoFar, height);
    if (pass.draw) {
        const int x = ItemX(pass, text.PenX);
        const int y = ItemY(pass, pass.lineHeightSoFar - height);
        if (InVisibleBand(pass, x, y, width, height)) {
            const int a = AlignmentOffset(pass);
            const bool smallTiles = TileSize == 16;
            const int span = HalfScale(pass, width);
            int x2 = 0;
            int y2 = 0;
            if (!pass.scaled) {
                const int extra = smallTiles && text.Scale == 4 ? height : 0;
                x2 = x + a + span;
                y2 = text.OriginY + text.PenY + pass.lineHeightSoFar + extra;
            } else {
                const int extra = !smallTiles       ? 0
                                  : text.Scale == 4 ? height
                                                    : -pass.lineHeightSoFar / 2;
                x2 = text.OriginX + a + static_cast<int>(pass.zoomX * (text.PenX + span));
                y2 = text.OriginY +
                     static_cast<int>(pass.zoomY * (text.PenY + (pass.lineHeightSoFar + extra) *
                                                                    ZoomFactor * 2 / text.Scale));
            }
            TheTextLayerCalls.PaintGraphStretched(x + a, y, x2, y2, graph, TransparentDrawFlag);
        }
    }
    text.PenX += HalfScale(pass, width) - HalfScale(pass, pass.spacingReduction);
    if (image && pass.draw)
        text.Progress = std::max(text.Progress, static_cast<double>(text.ByteIndex));
    if (!pass.draw)
        text.RecordLineMetrics(pass.lineHeightSoFar);
}

void DrawIcon(Pass& pass, int number) {
    GrowTo(pass.text.LinePixelWidths, pass.text.LineIndex + 1);
    const TextResources& resources = TheTextResources;
    if (number < 0 || number >= kIconCount ||
        number >= static_cast<int>(resources.IconHandles.size()))
        return;
    const int graph = resources.IconHandles[static_cast<std::size_t>(number)];
    if (graph <= 0)
        return;
    DrawGraph(pass, graph, Entry(resources.IconWidths, number),
              Entry(resources.IconHeights, number), false);
}

// A file that cannot load is reported once by the image cache, which remembers it without
// entering it; it then has no handle and nothing is drawn.
void DrawInlineImage(Pass& pass) {
    GrowTo(pass.text.LinePixelWidths, pass.text.LineIndex + 1);
    std::string name;
    for (const std::string& character : TakeCharactersUntil(pass.text, ']'))
        name += character;
    name = RevertControlCodes(name);
    if (TheImageCache.FindGraphic(name) == -1)
        TheImageCache.LoadGraphic(name, 1, 1, ImageCache::kCellCounts);
    const int graph = TheImageCache.GraphicHandle(TheImageCache.FindGraphic(name), 0);
    if (graph <= 0)
        return;
    int width = 0;
    int height = 0;
    TheTextLayerCalls.GetGraphExtent(graph, &width, &height);
    DrawGraph(pass, graph, width, height, true);
}

void DrawRubyString(Pass& pass, int x, int y, const std::string& ruby, int font) {
    const int a = AlignmentOffset(pass);
    const int left = pass.text.OriginX + a + (pass.scaled ? static_cast<int>(pass.zoomX * x) : x);
    DrawString(pass, left, y, ruby, TextColour(pass.text.ColourNumber), font);
}

// Base text, ",", ruby text, "]": the ruby is drawn small over the base, centred when wider,
// spread evenly otherwise; the whole group shows at once when it is reached.
void DrawRubyGroup(Pass& pass) {
    TextState& text = pass.text;
    pass.lineHeightSoFar = std::max(pass.lineHeightSoFar, text.FontSize);
    if (!pass.draw)
        text.RecordLineMetrics(pass.lineHeightSoFar);
    const int baseFont = CurrentFont(pass);
    const int savedSize = text.FontSize;
    const int savedColour = text.ColourNumber;
    const int baseLeft = text.PenX;
    for (const std::string& character : TakeCharactersUntil(text, ',')) {
        if (pass.draw)
            DrawString(pass, ItemX(pass, text.PenX) + AlignmentOffset(pass),
                       ItemY(pass, pass.lineHeightSoFar - text.FontSize), character,
                       TextColour(text.ColourNumber), baseFont);
        const int bytes = static_cast<int>(character.size());
        const int width =
            TheTextLayerCalls.MeasureTextWidthWithFont(character.c_str(), bytes, baseFont, 0);
        text.PenX += std::max(0, Advance(pass, width, bytes));
    }
    text.FontSize = GameFlag(kTileSizeFlag) == 32 ? 10 : 5;
    const int rubyFont = CurrentFont(pass);
    const int rubyTop =
        text.OriginY + static_cast<int>(pass.zoomY * (text.PenY + pass.lineHeightSoFar - savedSize -
                                                      HalfScale(pass, text.FontSize)));
    const std::vector<std::string> characters = TakeCharactersUntil(text, ']');
    std::string ruby;
    for (const std::string& character : characters)
        ruby += character;
    const int rubyWidth = TheTextLayerCalls.MeasureTextWidthWithFont(
        ruby.c_str(), static_cast<int>(ruby.size()), rubyFont, 0);
    text.ColourNumber = kRubyColour;
    if (pass.draw) {
        const int baseWidth = text.PenX - baseLeft;
        const int count = static_cast<int>(characters.size());
        if (rubyWidth > baseWidth) {
            DrawRubyString(pass, (baseLeft + text.PenX) / 2 - rubyWidth / 2, rubyTop, ruby,
                           rubyFont);
        } else {
            for (int i = 0; i < count; ++i) {
                const std::string& character = characters[static_cast<std::size_t>(i)];
                const int width = TheTextLayerCalls.MeasureTextWidthWithFont(
                    character.c_str(), static_cast<int>(character.size()), rubyFont, 0);
                const int left = baseLeft + baseWidth * i / count;
                DrawRubyString(pass, left + (baseWidth / count - width) / 2, rubyTop, character,
                               rubyFont);
            }
        }
        text.Progress = std::max(text.Progress, static_cast<double>(text.ByteIndex));
    }
    text.ColourNumber = savedColour;
    text.FontSize = savedSize;
    if (!pass.draw)
        text.RecordLineMetrics(pass.lineHeightSoFar);
}

using CodeHandler = void (*)(Pass& pass, int value);

void IgnoreCode(Pass&, int) {}

const std::array<CodeHandler, 26> kCodeHandlers{{
    IgnoreCode,
    [](Pass& pass, int) { DrawCharacter(pass, "\\"); },
    [](Pass& pass, int value) {
        const int last = std::max<int>(0, Colours().size() - 1);
        pass.text.ColourNumber = std::min(value, last);
    },
    [](Pass& pass, int value) {
        pass.text.FontSize = ClampFontSize(value);
        pass.lineHeightSoFar = std::max(pass.lineHeightSoFar, pass.text.FontSize);
    },
    [](Pass& pass, int value) { pass.lineHeightSoFar = value; },
    [](Pass& pass, int) { pass.text.EdgeOn = 1; },
    [](Pass& pass, int) { pass.text.EdgeOn = 0; },
    [](Pass& pass, int value) { pass.spacingReduction = value; },
    IgnoreCode,
    [](Pass& pass, int) { DrawRubyGroup(pass); },
    [](Pass& pass, int) { pass.revealAll = true; },
    [](Pass& pass, int) { pass.revealAll = false; },
    [](Pass& pass, int value) {
        if (pass.draw)
            pass.text.Speed =
                value == 0 || value == 65535 ? TheMainInterpreter.StringPictureSpeed : value;
    },
    IgnoreCode,
    [](Pass& pass, int) {
        TextState& text = pass.text;
        if (pass.draw && text.ByteIndex > text.TimedWaitEnd) {
            text.TimedWaitEnd = text.ByteIndex + 1;
            text.TextWaitFrames = kTimedWaitFrames;
        }
    },
    [](Pass& pass, int) {
        TextState& text = pass.text;
        if (pass.draw && text.ChoiceLayout == 0 && text.ByteIndex > text.KeyWaitPosition) {
            text.KeyWaitPosition = text.ByteIndex;
            text.KeyWaitReached = 1;
        }
    },
    [](Pass& pass, int) {
        if (pass.draw)
            pass.text.CloseWithoutKey = 1;
    },
    [](Pass& pass, int value) { pass.text.FontSlot = std::clamp(value, 0, 3); },
    [](Pass& pass, int value) { pass.lineSpacing = value; },
    [](Pass& pass, int) { pass.alignment = 0; },
    [](Pass& pass, int) { pass.alignment = 1; },
    [](Pass& pass, int) { pass.alignment = 2; },
    DrawIcon,
    [](Pass& pass, int) { DrawInlineImage(pass); },
    IgnoreCode,
    IgnoreCode,
}};

// The code byte at ByteIndex and its value bytes.
void HandleControlCode(Pass& pass) {
    TextState& text = pass.text;
    const std::string& bytes = text.WorkingText;
    const auto length = static_cast<int>(bytes.size());
    if (text.ByteIndex >= length) {
        pass.ended = true;
        return;
    }
    const auto code = static_cast<unsigned char>(bytes[static_cast<std::size_t>(text.ByteIndex)]);
    ++text.ByteIndex;
    text.ControlBytes += 2;
    if (code >= kCodeShapes.size())
        return;
    const CodeShape& shape = kCodeShapes[code];
    const int valueBytes = shape.valueBytes;
    if (text.ByteIndex + valueBytes > length) {
        pass.ended = true;
        return;
    }
    const auto byteAt = [&](int offset) {
        return offset < valueBytes ? static_cast<unsigned char>(
                                         bytes[static_cast<std::size_t>(text.ByteIndex + offset)])
                                   : static_cast<unsigned char>(0);
    };
    const int value = shape.decode(byteAt(0), byteAt(1));
    text.ByteIndex += valueBytes;
    text.ControlBytes += shape.countedValueBytes;
    kCodeHandlers[code](pass, value);
}

void StartPass(Pass& pass) {
    TextState& text = pass.text;
    if (text.SourceText != text.LaidOutText)
        text.ResetText();
    text.ByteIndex = 0;
    text.ColourNumber = 0;
    text.FontSlot = 0;
    text.EdgeOn = 0;
    text.FontSize = ClampFontSize(TheMainInterpreter.DefaultFontSize);
    GetCachedFont(TheTextResources, 0, text.FontSize, kTextThickness, 0);
    text.PenX = 0;
    text.PenY = 0;
    text.LineIndex = 0;
    text.ControlBytes = 0;
    pass.charSpacing = GameFlag(kCharSpacingFlag);
    text.Scale = 2 * ZoomFactor / (TheTextResources.SizeFactor == 200 ? 2 : 1);
}

// Steps that end the pass right after a character's (or a code's first) byte was taken.
bool PassStops(Pass& pass) {
    TextState& text = pass.text;
    if (pass.draw && pass.revealAll)
        text.Progress =
            std::max(text.Progress, static_cast<double>(text.ByteIndex - text.ControlBytes));
    if (pass.draw && !pass.revealAll &&
        text.ByteIndex > static_cast<long long>(text.Progress) + text.ControlBytes)
        return true;
    if (text.KeyWaitReached != 0 && text.KeyWaitPosition < text.ByteIndex)
        return true;
    return text.TextWaitFrames > 0 && text.TimedWaitEnd - 1 < text.ByteIndex;
}

}  // namespace

void RenderText(TextState& textState, int drawFlag, double zoomX, double zoomY) {
    if (textState.SourceText.empty())
        return;
    // Before the fonts are set up the factor is 0; the text is then drawn at its own size.
    const int factor = std::max(1, TheTextResources.SizeFactor / 100);
    zoomX *= factor;
    zoomY *= factor;
    Pass pass{textState, drawFlag != 0, zoomX, zoomY, !(zoomX == 1.0 && zoomY == 1.0)};
    Colours();
    StartPass(pass);
    const int length = static_cast<int>(textState.WorkingText.size());
    while (textState.ByteIndex < length && !pass.ended) {
        const std::string character = TakeCharacter(textState);
        if (PassStops(pass))
            break;
        if (character.size() == 2)
            DrawCharacter(pass, character);
        else if (character[0] == '\x01')
            HandleControlCode(pass);
        else if (character[0] == '\n')
            StartNewLine(pass);
        else if (character[0] != '\r')
            DrawCharacter(pass, character);
    }
}

std::string VisibleText(const std::string& coded) {
    std::string visible;
    std::size_t at = 0;
    // The characters up to a terminator, which is passed over.
    const auto takeUntil = [&](char terminator) {
        std::string run;
        while (at < coded.size()) {
            const std::size_t length =
                IsLeadByte(static_cast<unsigned char>(coded[at])) && at + 1 < coded.size() ? 2 : 1;
            if (length == 1 && coded[at] == terminator) {
                ++at;
                break;
            }
            run += coded.substr(at, length);
            at += length;
        }
        return run;
    };
    while (at < coded.size()) {
        const auto byte = static_cast<unsigned char>(coded[at]);
        if (IsLeadByte(byte) && at + 1 < coded.size()) {
            visible += coded.substr(at, 2);
            at += 2;
            continue;
        }
        ++at;
        if (byte != '\x01') {
            if (byte != '\r')
                visible += static_cast<char>(byte);
            continue;
        }
        if (at >= coded.size())
            break;
        const auto code = static_cast<unsigned char>(coded[at++]);
        if (code < kCodeShapes.size())
            at += static_cast<std::size_t>(kCodeShapes[code].valueBytes);
        if (code == kEscapedBackslashCode) {
            visible += '\\';
        } else if (code == kRubyCode) {
            visible += takeUntil(',');
            takeUntil(']');
        } else if (code == kInlineImageCode) {
            takeUntil(']');
        }
    }
    return visible;
}

void ResetTextColourTable() {
    TextColourTable.reset();
}

}  // namespace game

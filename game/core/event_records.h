#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace game {

// One step of a move route.
struct MoveRouteStep {
    std::uint8_t code = 0;
    std::vector<std::int32_t> args;  // at most 255
    std::string text;                // at most 254 bytes
};

// Movement settings and the steps of a route: event pages, move-route commands and map
// characters carry one.
struct MoveRoute {
    std::uint8_t moveKind = 0;  // 0 none, 1 the steps, 2 random, 3 approach the hero
    std::uint8_t animationSpeed = 3;
    std::uint8_t moveSpeed = 3;
    std::uint8_t moveFrequency = 3;
    std::uint8_t characterOptions = 3;
    // Bit 0 repeats the route; bit 1 lets a step that left the character still go on.
    std::uint8_t routeOptions = 2;
    std::vector<MoveRouteStep> steps;  // at most 65536

    static constexpr std::int32_t kMaxSteps = 65536;
};

// One line of a command list: args[0] is the command code. A list ends with code -1. The
// two prepared lists are filled only by the load-time pre-pass; a copy keeps the addresses
// in preparedPointers as they are.
struct EventCommand {
    std::vector<std::int32_t> args{0};
    std::int8_t indent = 0;
    std::vector<std::string> strings;
    std::vector<MoveRoute> route;  // none or one
    std::vector<std::int32_t> preparedInts;
    std::vector<std::int32_t*> preparedPointers;

    static constexpr std::int32_t kEndCode = -1;
};

struct PageGraphic {
    std::int32_t graphicNumber = -1;  // below 0: the file graphicName; else a map tile
    std::string graphicName;
    std::uint8_t direction = 2;
    std::uint8_t pattern = 1;
    std::uint8_t opacity = 255;
    std::uint8_t blendKind = 0;
};

struct PageStartConditions {
    std::uint8_t startKind = 0;
    // Bit 0: the condition is in use; bits 4 to 7: the comparison.
    std::array<std::uint8_t, 4> operators{0x20, 0x20, 0x20, 0x20};
    std::array<std::int32_t, 4> variableIds{};
    std::array<std::int32_t, 4> references{};
};

struct EventPage {
    PageGraphic graphic;
    PageStartConditions conditions;
    MoveRoute movement;
    std::int32_t commandCount = 0;  // as stored in the file
    std::vector<EventCommand> commands{EventCommand{}};
    std::vector<std::uint8_t> options{0, 0, 0};

    // Inserts a new command (code 0) before position, clamped to commandCount; commandCount
    // itself stays.
    void InsertCommand(int position);
};

struct MapEventHeader {
    std::int32_t eventId = 0;
    std::string name;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t pageCount = 1;
    std::vector<std::uint8_t> extraBytes;
};

struct MapEvent : MapEventHeader {
    MapEvent() = default;
    explicit MapEvent(std::int32_t id) { eventId = id; }

    // One default page, built in place: a copy from a temporary page sets off GCC 12's
    // -Wmaybe-uninitialized at -O3.
    std::vector<EventPage> pages = std::vector<EventPage>(1);
};

struct MapHeader {
    MapHeader();

    std::string name;
    std::int32_t tileSetNumber = 0;
    std::int32_t width = 20;
    std::int32_t height = 15;
    std::int32_t eventCount = 0;
};

}  // namespace game

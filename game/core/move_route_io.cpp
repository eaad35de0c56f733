#include <cstdint>
#include <string>
#include <utility>

#include "game/core/cursor_fields.h"
#include "game/core/event_record_io.h"
#include "game/core/save_buffer.h"

namespace game {
namespace {

// The route layout is the same through both cursors; beyond the step limit the steps
// cannot be skipped, so the rest of the stream is out of step and the record is refused.
bool Refuse(DataFileBuffer& cursor) {
    cursor.MarkDamaged();
    return false;
}
bool Refuse(SaveBuffer&) {
    return false;
}

template <typename Cursor>
bool ReadStep(Cursor& cursor, MoveRouteStep& step) {
    std::uint8_t count = 0;
    if (!GetByte(cursor, step.code) || !GetByte(cursor, count))
        return false;
    step.args.assign(count, 0);
    for (auto& arg : step.args) {
        if (!GetInt(cursor, arg))
            return false;
    }
    std::uint8_t length = 0;
    if (!GetByte(cursor, length))
        return false;
    std::string bytes(length, '\0');
    if (!GetBytes(cursor, bytes.data(), length))
        return false;
    step.text = std::string(bytes.c_str());
    return true;
}

template <typename Cursor>
bool ReadRoute(Cursor& cursor, MoveRoute& route) {
    std::uint8_t* const settings[] = {&route.animationSpeed,   &route.moveSpeed,
                                      &route.moveFrequency,    &route.moveKind,
                                      &route.characterOptions, &route.routeOptions};
    for (std::uint8_t* setting : settings) {
        if (!GetByte(cursor, *setting))
            return false;
    }
    std::int32_t count = 0;
    if (!GetInt(cursor, count))
        return false;
    if (count < 0 || count > MoveRoute::kMaxSteps)
        return Refuse(cursor);
    // Steps are appended as they are read, so a damaged count costs no memory up front.
    route.steps.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        MoveRouteStep step;
        if (!ReadStep(cursor, step))
            return false;
        route.steps.push_back(std::move(step));
    }
    return true;
}

template <typename Cursor>
void WriteStep(Cursor& cursor, const MoveRouteStep& step) {
    PutByte(cursor, step.code);
    PutByte(cursor, static_cast<std::uint8_t>(step.args.size()));
    for (std::int32_t arg : step.args)
        PutInt(cursor, arg);
    PutByte(cursor, static_cast<std::uint8_t>(step.text.size() + 1));
    PutBytes(cursor, step.text.data(), step.text.size());
    PutByte(cursor, 0);
}

template <typename Cursor>
void WriteRoute(Cursor& cursor, const MoveRoute& route) {
    for (std::uint8_t setting : {route.animationSpeed, route.moveSpeed, route.moveFrequency,
                                 route.moveKind, route.characterOptions, route.routeOptions})
        PutByte(cursor, setting);
    PutInt(cursor, static_cast<std::int32_t>(route.steps.size()));
    for (const auto& step : route.steps)
        WriteStep(cursor, step);
}

}  // namespace

bool ReadMoveRoute(DataFileBuffer& cursor, MoveRoute& route) {
    return ReadRoute(cursor, route);
}
bool ReadMoveRoute(SaveBuffer& cursor, MoveRoute& route) {
    return ReadRoute(cursor, route);
}
void WriteMoveRoute(DataFileBuffer& cursor, const MoveRoute& route) {
    WriteRoute(cursor, route);
}
void WriteMoveRoute(SaveBuffer& cursor, const MoveRoute& route) {
    WriteRoute(cursor, route);
}
bool ReadMoveRouteStep(DataFileBuffer& cursor, MoveRouteStep& step) {
    return ReadStep(cursor, step);
}
bool ReadMoveRouteStep(SaveBuffer& cursor, MoveRouteStep& step) {
    return ReadStep(cursor, step);
}
void WriteMoveRouteStep(DataFileBuffer& cursor, const MoveRouteStep& step) {
    WriteStep(cursor, step);
}
void WriteMoveRouteStep(SaveBuffer& cursor, const MoveRouteStep& step) {
    WriteStep(cursor, step);
}

}  // namespace game

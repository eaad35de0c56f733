#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// Command 121: computes a value from two operands and applies it to a target variable, over
// a range of targets, with literal or indirect operands, a six-digit clamp, real-number
// arithmetic or a string target. A command prepared by the load-time pre-pass works on its
// cells directly. Always done.
std::uint8_t VariableOperation(EventInterpreter& interpreter);

}  // namespace game

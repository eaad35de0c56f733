#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/core/event_records.h"

namespace tools {

// Builds a command list line by line; the list always ends with the end command.
class CommandListBuilder {
  public:
    CommandListBuilder& Add(std::int32_t code, std::vector<std::int32_t> args = {},
                            std::vector<std::string> strings = {}, std::int8_t indent = 0);
    // A line carrying a move route.
    CommandListBuilder& AddRoute(std::int32_t code, std::vector<std::int32_t> args,
                                 game::MoveRoute route, std::int8_t indent = 0);

    std::vector<game::EventCommand> Build() const;

  private:
    std::vector<game::EventCommand> commands_;
};

}  // namespace tools

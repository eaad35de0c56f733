#include "tools/lib/command_list_builder.h"

#include <utility>

namespace tools {

CommandListBuilder& CommandListBuilder::Add(std::int32_t code, std::vector<std::int32_t> args,
                                            std::vector<std::string> strings, std::int8_t indent) {
    game::EventCommand command;
    command.args = {code};
    command.args.insert(command.args.end(), args.begin(), args.end());
    command.strings = std::move(strings);
    command.indent = indent;
    commands_.push_back(std::move(command));
    return *this;
}

CommandListBuilder& CommandListBuilder::AddRoute(std::int32_t code, std::vector<std::int32_t> args,
                                                 game::MoveRoute route, std::int8_t indent) {
    Add(code, std::move(args), {}, indent);
    commands_.back().route.push_back(std::move(route));
    return *this;
}

std::vector<game::EventCommand> CommandListBuilder::Build() const {
    std::vector<game::EventCommand> list = commands_;
    game::EventCommand end;
    end.args = {game::EventCommand::kEndCode};
    list.push_back(std::move(end));
    return list;
}

}  // namespace tools

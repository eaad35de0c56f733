#include "game/core/exit_program.h"

#include <cstdlib>

namespace game {
namespace {

ExitHandler current_handler = nullptr;

}  // namespace

ExitHandler SetExitHandler(ExitHandler handler) {
    const ExitHandler previous = current_handler;
    current_handler = handler;
    return previous;
}

void ExitProgram(int exitCode) {
    if (current_handler != nullptr)
        current_handler(exitCode);
    std::exit(exitCode);
}

}  // namespace game

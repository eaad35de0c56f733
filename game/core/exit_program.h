#pragma once

namespace game {

// Ends the process with an exit code through one function, so that death tests and fuzz
// targets can stop a fatal report from ending the process: an installed handler may throw.
using ExitHandler = void (*)(int exitCode);

// Installs a handler (null restores std::exit) and returns the previous one.
ExitHandler SetExitHandler(ExitHandler handler);

[[noreturn]] void ExitProgram(int exitCode);

}  // namespace game

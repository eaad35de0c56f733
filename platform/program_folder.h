#pragma once

#include <string>

namespace platform {

// The folder of the running program in game form ("\" + names joined by "\"); empty when the
// system does not tell.
std::string ProgramFolder();

}  // namespace platform

#pragma once

// The texts of the system message boxes (CP932).

namespace game {

// "デバッグ"
constexpr const char* kDebugBoxCaption = "\x83\x66\x83\x6f\x83\x62\x83\x4f";

}  // namespace game

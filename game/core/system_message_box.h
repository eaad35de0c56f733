#pragma once

#include <string_view>

namespace game {

enum class MessageBoxButtons { kOk, kOkCancel };
enum class MessageBoxResult { kOk, kCancel };

// Where the game's system message boxes go; tests install their own to capture the texts.
using MessageBoxSink = MessageBoxResult (*)(std::string_view text, std::string_view caption,
                                            MessageBoxButtons buttons);

// Installs a sink (null restores the default) and returns the previous one.
MessageBoxSink SetMessageBoxSink(MessageBoxSink sink);

// Shows a modal box with CP932 text and caption and waits for a button.
MessageBoxResult ShowSystemMessageBox(std::string_view text, std::string_view caption,
                                      MessageBoxButtons buttons = MessageBoxButtons::kOk);

// A debugging aid: "text a b" in a system message box captioned "デバッグ".
void ShowDebugBox(std::string_view text, int a, int b);

// Writes a CP932 report line to the console.
void WriteConsoleLine(std::string_view text);

}  // namespace game

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace game {

// The game's command line, without the word that named the game folder.
extern std::string CommandLine;
// Its words as start-up splits them: at most 20, each cut to 255 bytes.
extern std::vector<std::string> CommandLineWords;

// Splits at white space into at most 20 words of at most 255 bytes; later words are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The longest path the player takes, in bytes, as the system's own limit.
inline constexpr std::size_t kMaxPathBytes = 4096;

// The program's arguments with the game folder taken out: the first argument is the folder
// when it names an existing folder (as `isFolder` tells); the others, joined by single spaces,
// are the game's command line. A first argument that names no folder but is written as a path
// (it holds "/" or "\") or is longer than any path was meant as the game folder all the same:
// it is kept as `unusableFolder`, out of the command line.
struct FolderArgument {
    std::string folder;
    std::string unusableFolder;
    std::string commandLine;
};
FolderArgument TakeFolderArgument(const std::vector<std::string>& arguments,
                                  bool (*isFolder)(const std::string& argument));

// What the command-line options ask of every reset.
struct CommandLineOption {
    enum class Kind { kTestPlay, kNumber, kText };
    Kind kind;
    int id = 0;
    int number = 0;
    std::string text;

    friend bool operator==(const CommandLineOption&, const CommandLineOption&) = default;
};

// The options in the stored words, in order: "Test_Of_Main"; "-vinput ID N" (both decimal);
// "-sinput ID TEXT". An empty word ends the scan; a missing operand counts as empty.
std::vector<CommandLineOption> ScanCommandLineOptions(const std::vector<std::string>& words);

// A decimal number as the option scan reads it: an optional sign and the leading digits, 0
// when there are none.
int ReadDecimalWord(std::string_view word);

}  // namespace game

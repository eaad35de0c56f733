#include "game/core/command_line.h"

#include <algorithm>
#include <cstdint>

namespace game {
namespace {

constexpr std::size_t kMaxWords = 20;
constexpr std::size_t kMaxWordBytes = 255;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

const std::string& WordAt(const std::vector<std::string>& words, std::size_t i) {
    static const std::string empty;
    return i < words.size() ? words[i] : empty;
}

// The game's own words are never paths: a word with a separator, or too long for any path,
// can only have been meant as a folder.
bool IsWrittenAsPath(const std::string& word) {
    return word.find_first_of("/\\") != std::string::npos || word.size() > kMaxPathBytes;
}

}  // namespace

std::string CommandLine;
std::vector<std::string> CommandLineWords;

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (words.size() < kMaxWords) {
        while (i < commandLine.size() && IsSpace(commandLine[i]))
            ++i;
        if (i == commandLine.size())
            break;
        const std::size_t start = i;
        while (i < commandLine.size() && !IsSpace(commandLine[i]))
            ++i;
        words.emplace_back(commandLine.substr(start, std::min(i - start, kMaxWordBytes)));
    }
    return words;
}

FolderArgument TakeFolderArgument(const std::vector<std::string>& arguments,
                                  bool (*isFolder)(const std::string& argument)) {
    FolderArgument result;
    std::size_t first = 0;
    if (!arguments.empty()) {
        if (isFolder(arguments[0])) {
            result.folder = arguments[0];
            first = 1;
        } else if (IsWrittenAsPath(arguments[0])) {
            result.unusableFolder = arguments[0];
            first = 1;
        }
    }
    for (std::size_t i = first; i < arguments.size(); ++i) {
        if (!result.commandLine.empty())
            result.commandLine += ' ';
        result.commandLine += arguments[i];
    }
    return result;
}

int ReadDecimalWord(std::string_view word) {
    std::size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-'))
        negative = word[i++] == '-';
    std::int64_t value = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (word[i] - '0'), INT32_MAX + std::int64_t{1});
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

std::vector<CommandLineOption> ScanCommandLineOptions(const std::vector<std::string>& words) {
    std::vector<CommandLineOption> options;
    for (std::size_t i = 0; i < words.size() && !words[i].empty(); ++i) {
        const std::string& word = words[i];
        if (word == "Test_Of_Main") {
            options.push_back({CommandLineOption::Kind::kTestPlay, 0, 0, ""});
        } else if (word == "-vinput") {
            options.push_back({CommandLineOption::Kind::kNumber,
                               ReadDecimalWord(WordAt(words, i + 1)),
                               ReadDecimalWord(WordAt(words, i + 2)), ""});
            i += 2;
        } else if (word == "-sinput") {
            options.push_back({CommandLineOption::Kind::kText,
                               ReadDecimalWord(WordAt(words, i + 1)), 0, WordAt(words, i + 2)});
            i += 2;
        }
    }
    return options;
}

}  // namespace game

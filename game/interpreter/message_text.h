#pragma once

#include <string>

namespace game {

// How a caller wants a text expanded.
struct MessageTextOptions {
    // Stop after the substitutions: no control codes, "\\" stays two backslashes.
    bool substitutionsOnly = false;
    // Put prefix before and suffix after the text before anything else is done.
    bool wrap = false;
    // Take a leading "@" number line into system variable 0.
    bool atLine = false;
    std::string prefix;
    std::string suffix;
};

// Turns an author's text into coded text: references to variables, self variables, database
// contents and string variables become their values, then escapes become control codes
// (0x01, a code byte and its parameter bytes). Coded text is a byte string whose parameter
// bytes may take any value, 0x00 and 0x5C among them. eventNumber and commonNumber select
// the self variables, mapId the map of "\self[" (set as the store's map override).
std::string ExpandMessageText(std::string text, int eventNumber, int commonNumber, int mapId,
                              const MessageTextOptions& options);

// Turns the codes without a number back into their escapes, for file names and texts
// written to files; codes with packed numbers stay.
std::string RevertControlCodes(const std::string& coded);

// Doubles every backslash.
std::string DoubleBackslashes(const std::string& text);

// The first page of a message (part 0) or the rest (part 1); a page ends at a line feed
// followed by "@" or at an empty line. Any other part is empty.
std::string SplitMessagePage(int part, std::string text);

}  // namespace game

#include "layer/core/text_routines.h"

#include <cstring>

#include "layer/core/double_byte_text.h"

namespace layer {
namespace {

// Bytes taken by the character at `text`: 2 for a two-byte character, 1 for a one-byte
// character or for a lead byte cut short by the terminator.
std::size_t CharacterLength(const char* text) {
    const bool lead = IsDoubleByteLead(static_cast<unsigned char>(text[0]), kShiftJisCharset);
    return lead && text[1] != '\0' ? 2 : 1;
}

}  // namespace

void CopyText(char* destination, const char* source) {
    std::strcpy(destination, source);
}

void CopyTextN(char* destination, const char* source, int n) {
    int copied = 0;
    while (copied < n && source[copied] != '\0') {
        destination[copied] = source[copied];
        ++copied;
    }
    destination[copied] = '\0';
}

void AppendText(char* destination, const char* source) {
    std::strcat(destination, source);
}

int TextDiffers(const char* a, const char* b) {
    return std::strcmp(a, b) != 0 ? 1 : 0;
}

int LeadingBytesDiffer(const char* a, const char* b, std::size_t n) {
    return std::memcmp(a, b, n) != 0 ? 1 : 0;
}

const char* FindCharInText(const char* text, char byte) {
    for (const char* position = text; *position != '\0'; position += CharacterLength(position)) {
        if (*position == byte && CharacterLength(position) == 1) {
            return position;
        }
    }
    return nullptr;
}

char* FindCharInText(char* text, char byte) {
    return const_cast<char*>(FindCharInText(static_cast<const char*>(text), byte));
}

void UpperCaseText(char* text) {
    for (char* position = text; *position != '\0'; position += CharacterLength(position)) {
        if (*position >= 'a' && *position <= 'z') {
            *position = static_cast<char>(*position - 'a' + 'A');
        }
    }
}

}  // namespace layer

// make_texts INPUT.texts OUTPUT.h: turns a unit's UTF-8 texts into a header of CP932 constants.
//
// Each line of the input is blank, a comment ("# ..."), "namespace NAME", or a text:
//   kName = "text"          constexpr const char* kName = "...";
//   kName[] = "text"        constexpr char kName[] = "...";
//   kName[] = "a", "b"      constexpr const char* kName[] = {"...", "..."};
// Texts take the escapes \n \r \t \\ \" and \xNN (one byte, written as it stands).
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// UTF-8 to CP932 with the converter the player uses; fails on text CP932 cannot hold.
std::string ToCp932(const std::string& utf8) {
    iconv_t descriptor = iconv_open("CP932", "UTF-8");
    if (descriptor == reinterpret_cast<iconv_t>(-1)) {
        throw Failure("the system has no UTF-8 to CP932 converter");
    }
    std::string input = utf8;
    std::string output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    size_t in_left = input.size();
    char* out = output.data();
    size_t out_left = output.size();
    const size_t result = iconv(descriptor, &in, &in_left, &out, &out_left);
    const int error = errno;
    iconv_close(descriptor);
    if (result == static_cast<size_t>(-1)) {
        if (error == EILSEQ) {
            throw Failure("\"" + std::string(in, in + std::min<size_t>(in_left, 4)) +
                          "\" has no CP932 form");
        }
        throw Failure("is not whole UTF-8");
    }
    output.resize(output.size() - out_left);
    return output;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads one quoted text at `pos` and returns its CP932 bytes; `pos` ends after the closing quote.
std::string ReadText(const std::string& line, size_t& pos) {
    if (pos >= line.size() || line[pos] != '"')
        throw Failure("a text must start with \"");
    ++pos;
    std::string bytes;
    std::string run;  // UTF-8 still to convert
    auto flush = [&] {
        bytes += ToCp932(run);
        run.clear();
    };
    while (true) {
        if (pos >= line.size())
            throw Failure("the text has no closing \"");
        const char c = line[pos++];
        if (c == '"')
            break;
        if (c != '\\') {
            run += c;
            continue;
        }
        if (pos >= line.size())
            throw Failure("the text ends in a lone \\");
        const char e = line[pos++];
        switch (e) {
            case 'n':
                run += '\n';
                break;
            case 'r':
                run += '\r';
                break;
            case 't':
                run += '\t';
                break;
            case '\\':
                run += '\\';
                break;
            case '"':
                run += '"';
                break;
            case 'x': {
                const int high = pos + 1 < line.size() ? HexDigit(line[pos]) : -1;
                const int low = high >= 0 ? HexDigit(line[pos + 1]) : -1;
                if (low < 0)
                    throw Failure("\\x needs two hex digits");
                flush();
                bytes += static_cast<char>(high * 16 + low);
                pos += 2;
                break;
            }
            default:
                throw Failure(std::string("unknown escape \\") + e);
        }
    }
    flush();
    return bytes;
}

// A C++ string literal of `bytes`: printable ASCII as it stands, every other byte in octal so
// that no following character can extend the escape.
std::string Literal(const std::string& bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\') {
            out += '\\';
            out += c;
        } else if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", b);
            out += octal;
        }
    }
    return out + "\"";
}

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// One line of the input as a line of the header ("" for blanks and comments).
std::string Convert(const std::string& raw, std::string& name_space) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#')
        return "";
    if (line.rfind("namespace ", 0) == 0) {
        if (!name_space.empty())
            throw Failure("only one namespace line");
        name_space = Trim(line.substr(10));
        return "namespace " + name_space + " {\n";
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        throw Failure("expected kName = \"text\"");
    std::string name = Trim(line.substr(0, equals));
    const bool array = name.size() > 2 && name.ends_with("[]");
    if (array)
        name.resize(name.size() - 2);
    if (name.empty() || name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVW"
                                               "XYZ0123456789_") != std::string::npos) {
        throw Failure("\"" + name + "\" is not a constant name");
    }
    std::vector<std::string> texts;
    size_t pos = equals + 1;
    while (true) {
        pos = line.find_first_not_of(" \t", pos);
        try {
            texts.push_back(ReadText(line, pos));
        } catch (const Failure& failure) {
            throw Failure(name + ": " + failure.what());
        }
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string::npos)
            break;
        if (line[pos] != ',' || !array)
            throw Failure(name + ": unexpected text after the text");
        ++pos;
    }
    if (texts.size() > 1) {
        std::string list;
        for (const std::string& text : texts)
            list += "    " + Literal(text) + ",\n";
        return "constexpr const char* " + name + "[] = {\n" + list + "};\n";
    }
    if (array)
        return "constexpr char " + name + "[] = " + Literal(texts[0]) + ";\n";
    return "constexpr const char* " + name + " = " + Literal(texts[0]) + ";\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_texts INPUT.texts OUTPUT.h\n";
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    std::ostringstream header;
    header << "#pragma once\n\n// Generated from " << argv[1] << " by make_texts; CP932.\n\n";
    std::string name_space;
    std::string line;
    int number = 0;
    try {
        while (std::getline(input, line)) {
            ++number;
            header << Convert(line, name_space);
        }
    } catch (const Failure& failure) {
        std::cerr << argv[1] << ":" << number << ": " << failure.what() << "\n";
        return 1;
    }
    if (!name_space.empty())
        header << "}  // namespace " << name_space << "\n";
    std::ofstream output(argv[2], std::ios::binary);
    output << header.str();
    if (!output.flush()) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}

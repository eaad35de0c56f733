#pragma once

#include <cstdint>
#include <string>

namespace game {

class CommonEventList;
class DataBase;

// Readable texts of variable IDs for describing commands and variables, with the names the
// game data gives to variables, common-event self variables and database entries. They read
// the data quietly and change nothing.

// What a described ID is expected to hold.
constexpr int kExpectNumber = 0;
constexpr int kExpectText = 1;
constexpr int kExpectEither = 2;

// commonEvent is the common event whose commands are described, -1 or -10 for a map event's
// commands; commonEvents supplies the self-variable names and may be null. An ID that names
// nothing of the expected kind gives an error text; the short form has none for either kind.
std::string DescribeVariableIdLong(std::int32_t id, const DataBase& userDB,
                                   const DataBase& systemDB, const DataBase& changeableDB,
                                   int expectKind, int commonEvent,
                                   const CommonEventList* commonEvents);
std::string DescribeVariableIdShort(std::int32_t id, const DataBase& userDB,
                                    const DataBase& systemDB, const DataBase& changeableDB,
                                    int expectKind, int commonEvent,
                                    const CommonEventList* commonEvents);

// Expands the references of a database name: "\d[n]" becomes n + offset; "\udb[t:d]",
// "\cdb[t:d]" and "\sdb[t:d]" the name of data d of type t of the user, changeable or system
// database; with a third number c, the text of content c, or its number when it is no text.
std::string DescribeDatabaseRef(std::string text, const DataBase& userDB, const DataBase& systemDB,
                                const DataBase& changeableDB, int offset);

// False for the command codes that take no arguments worth describing.
bool IsParameterCommand(std::int32_t code);

}  // namespace game

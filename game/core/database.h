#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace game {

// One data record: a value per content, numbers and texts kept apart.
struct DataBaseRecord {
    std::vector<std::int32_t> numbers;
    std::vector<std::string> strings{std::string()};
};

// A type: its contents, each code kind x 1000 + slot (kind 1 a number in numbers[slot],
// kind 2 a text in strings[slot]), and its records. Records sit in a deque, which never
// moves them when it grows: prepared commands keep addresses of their numbers.
struct DataBaseType {
    std::vector<std::int32_t> contentCodes{2000};
    std::deque<DataBaseRecord> records{DataBaseRecord{}};
    std::int32_t layoutCode = -2;  // as read; never interpreted
    std::int32_t nameSource = 0;   // where data names come from
};

// The description of a type; only the names and the defaults are used, the rest is kept.
struct DataBaseTypeDesc {
    std::string typeName;
    std::string typeNote;
    std::vector<std::string> dataNames{std::string()};
    std::vector<std::string> contentNames{std::string()};
    std::vector<std::uint8_t> contentFlags = std::vector<std::uint8_t>(100);
    std::vector<std::string> contentTexts{std::string()};
    std::vector<std::vector<std::string>> contentTextLists{{}};
    std::vector<std::vector<std::int32_t>> contentNumberLists{{}};
    std::vector<std::int32_t> contentDefaults{0};
};

// A database: types addressed by number with their descriptions, and links to the three
// global databases for data names taken from another one (null until the reset loop sets
// them).
class DataBase {
  public:
    // An empty database; also resets the loader's DBFromSaveBuffer and DBFileVersion.
    DataBase();

    int GetDBTypeCount() const;
    // -1 for a missing type and for a type without records.
    int GetDBDataCount(int type) const;
    int GetDBContentCount(int type) const;
    // 1 number, 2 text; -1 when the type or the content is missing.
    int GetDBContentKind(int type, int content) const;

    std::int32_t ReadDBValue(int type, int data, int content, std::int32_t* out = nullptr);
    std::string ReadDBString(int type, int data, int content, std::string* out = nullptr);
    // wantValue 0: the content code; 1: the record's number slot (null for a text content).
    // Null for any address outside its list.
    std::int32_t* GetDBValuePointer(int type, int data, int content, int wantValue);
    // False for an address outside its list and for a content of the other kind.
    bool WriteDBValue(int type, int data, int content, std::int32_t value);
    bool WriteDBString(int type, int data, int content, const std::string& value);

    std::string GetDBTypeName(int type) const;
    std::string GetDBContentName(int type, int content) const;
    std::string GetDBDataName(int type, int data) const;

    // Grows or cuts a type's records to n; new records get the contents' defaults.
    void ResizeDBDataList(int type, int n);
    // Empties one record and gives its number contents their defaults.
    void ResetDBRecord(int type, int data);

    std::uint8_t keepDataNames = 1;
    DataBase* sysDataBase = nullptr;
    DataBase* userDataBase = nullptr;
    DataBase* changeableDataBase = nullptr;
    std::vector<DataBaseType> types;
    std::vector<DataBaseTypeDesc> typeDescs;

  private:
    bool HasAddress(int type, int data, int content) const;
    std::string DataNameAtDepth(int type, int data, int depth) const;
};

extern DataBase SysDataBase;
extern DataBase UserDataBase;
extern DataBase CDataBase;

// Set to 1 by a read that reported a bad address; the interpreter reports and clears it.
extern int DBReadError;

// The version byte of the ".dat" file read last (0xC0 or 0xC1); the ".project" reader and
// the save loader follow it. 0xC1 after a DataBase is constructed.
extern int DBFileVersion;
// Set by the save loader while it reads types from the save cursor; 0 after a DataBase is
// constructed.
extern std::uint8_t DBFromSaveBuffer;

}  // namespace game

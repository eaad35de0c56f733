#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/core/database.h"

namespace game {

class DataFileBuffer;
class SaveBuffer;
class ScreenState;

// One ".dat" type block: the content codes in one of three layouts, then the records. The
// save loader reads the same layout from the save cursor. False when damaged.
bool ReadDBTypeData(DataFileBuffer& cursor, DataBaseType& type);
bool ReadDBTypeData(SaveBuffer& cursor, DataBaseType& type);
// One record of n numbers, then s texts.
bool ReadDBRecord(DataFileBuffer& cursor, DataBaseRecord& record, std::size_t n, std::size_t s);
bool ReadDBRecord(SaveBuffer& cursor, DataBaseRecord& record, std::size_t n, std::size_t s);
// One ".project" description with its data names; the settings after the type note are
// read only when DBFileVersion is 0xC1. Lists stored longer than the contents grow to fit.
bool ReadDBTypeDefinition(DataFileBuffer& cursor, DataBaseTypeDesc& desc);

enum class DataBaseFileResult {
    kLoaded,
    kBadVersion,     // first version byte: nothing read
    kBadEndVersion,  // second version byte: the types stay, no descriptions
    kDamaged,
};

// Parses a ".dat" image into types, setting DBFileVersion. A damaged image leaves types
// as they were.
DataBaseFileResult ParseDataBaseDat(std::span<const std::uint8_t> file,
                                    std::vector<DataBaseType>& types);
// Parses a ".project" image after its ".dat" (which set DBFileVersion). False, with descs
// as they were, when damaged.
bool ParseDataBaseProject(std::span<const std::uint8_t> file, std::vector<DataBaseTypeDesc>& descs);

// Loads "Data\" + name + ".dat" and ".project" into db (normally a fresh one). A missing
// file shows its message box, shuts the layer down and ends the program with exit code 1,
// as does a damaged one after its report. False after a bad version byte.
bool LoadDataBaseFiles(DataBase& db, const std::string& name);

// Loads "Data\" + name + ".project" into descs in the layout DBFileVersion names; a missing
// or damaged file ends the program as LoadDataBaseFiles does.
void LoadDataBaseProject(std::vector<DataBaseTypeDesc>& descs, const std::string& name);
// Loads the three databases afresh, adds ten spare records to each of the system
// database's three sound lists and rebuilds CDBContentKinds and CDBContentDefaults.
void LoadDataBases();

// The loaded sizes of the three sound lists, without their spares.
void KeepSoundListSizes(ScreenState& screenState);

// Widens one type, read from an older save, to n contents of the given kinds: the codes are
// renumbered by kind, and every record gets the new contents' defaults and empty texts.
void WidenDBRecords(DataBase& db, int type, const std::vector<int>& kinds, int n,
                    const std::vector<std::int32_t>& defaults);

// The changeable database's shape as its files define it: per type, the kind and the
// default of each content.
extern std::vector<std::vector<int>> CDBContentKinds;
extern std::vector<std::vector<std::int32_t>> CDBContentDefaults;

}  // namespace game

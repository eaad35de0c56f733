#include "game/save/save_database.h"

#include <cstdint>

#include "game/core/database.h"
#include "game/core/database_files.h"
#include "game/core/save_buffer.h"

namespace game {
namespace {

constexpr std::uint8_t kPartMarker = 111;
constexpr std::int32_t kSavedLayoutCode = -2;
constexpr int kNumberKind = 1;
constexpr int kStringKind = 2;
constexpr char kChangeableDataBase[] = "BasicData\\CDataBase";
// The part's texts always carry 32-bit lengths, whatever the version of the save.
constexpr std::uint16_t kLongStringVersion = SaveBuffer::kFirstLongStringVersion;

// Sets the database readers to the save cursor for the lifetime of the scope.
class FromSaveBuffer {
  public:
    FromSaveBuffer() { DBFromSaveBuffer = 1; }
    ~FromSaveBuffer() { DBFromSaveBuffer = 0; }
    FromSaveBuffer(const FromSaveBuffer&) = delete;
    FromSaveBuffer& operator=(const FromSaveBuffer&) = delete;
};

void WriteSaveDBRecord(SaveBuffer& save, const DataBaseRecord& record, std::size_t a,
                       std::size_t b) {
    for (std::size_t i = 0; i < a; ++i)
        save.WriteInt(i < record.numbers.size() ? record.numbers[i] : 0);
    for (std::size_t i = 0; i < b; ++i)
        save.WriteString(i < record.strings.size() ? record.strings[i] : std::string());
}

void WriteSaveDBType(SaveBuffer& save, DataBaseType& type) {
    type.layoutCode = kSavedLayoutCode;
    save.WriteInt(type.layoutCode);
    save.WriteInt(type.nameSource);
    save.WriteInt(static_cast<std::int32_t>(type.contentCodes.size()));
    std::size_t numbers = 0;
    std::size_t strings = 0;
    for (std::int32_t code : type.contentCodes) {
        save.WriteInt(code);
        numbers += code / 1000 == kNumberKind;
        strings += code / 1000 == kStringKind;
    }
    save.WriteInt(static_cast<std::int32_t>(type.records.size()));
    for (const DataBaseRecord& record : type.records)
        WriteSaveDBRecord(save, record, numbers, strings);
}

void WidenToDefinition(DataBase& database) {
    const std::size_t present = database.types.size();
    for (std::size_t i = 0; i < database.typeDescs.size() && i < present; ++i) {
        if (i >= CDBContentKinds.size())
            break;
        const std::vector<int>& kinds = CDBContentKinds[i];
        if (kinds.size() > database.types[i].contentCodes.size()) {
            WidenDBRecords(database, static_cast<int>(i), kinds, static_cast<int>(kinds.size()),
                           i < CDBContentDefaults.size() ? CDBContentDefaults[i]
                                                         : std::vector<std::int32_t>());
        }
    }
}

}  // namespace

bool WriteSaveDataBase(SaveBuffer& save, DataBase& database) {
    const FromSaveBuffer fromSave;
    const std::uint16_t version = save.version();
    save.set_version(kLongStringVersion);
    save.WriteByte(kPartMarker);
    save.WriteInt(static_cast<std::int32_t>(database.types.size()));
    for (DataBaseType& type : database.types)
        WriteSaveDBType(save, type);
    save.set_version(version);
    return true;
}

bool ReadSaveDataBase(SaveBuffer& save, DataBase& database) {
    std::int32_t count = 0;
    {
        const FromSaveBuffer fromSave;
        const std::uint16_t version = save.version();
        save.set_version(kLongStringVersion);
        std::uint8_t marker = 0;
        // Every type takes at least its layout code, name source and two counts.
        const bool fits = save.ReadByte(marker) && save.ReadInt(count) && save.CountFits(count, 16);
        // Types are added as they are read, so a count the bytes do not back allocates nothing.
        database.types.clear();
        for (std::int32_t i = 0; fits && i < count; ++i) {
            if (!ReadDBTypeData(save, database.types.emplace_back()))
                break;
        }
        save.set_version(version);
        if (!fits)
            return false;
    }
    LoadDataBaseProject(database.typeDescs, kChangeableDataBase);
    if (!database.types.empty())
        WidenToDefinition(database);
    return true;
}

}  // namespace game

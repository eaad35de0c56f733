#include "game/core/database_files.h"

#include <algorithm>
#include <utility>

#include "game/core/cursor_fields.h"
#include "game/core/damaged_data_file.h"
#include "game/core/data_file_loading.h"
#include "game/core/data_file_scrambler.h"
#include "game/core/database_files_texts.h"
#include "game/core/exit_program.h"
#include "game/core/format_text.h"
#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr std::uint8_t kVersionC0 = 0xC0;
constexpr std::uint8_t kVersionC1 = 0xC1;
constexpr int kNumberKind = 1;
constexpr int kStringKind = 2;
// Records of a type without contents take no bytes; their count is capped instead.
constexpr std::int64_t kMaxEmptyRecords = 1 << 16;

// "データベースファイル読み込みに失敗、強制終了します。\n\r\n\r%s\r\nのファイルがあるか
//  確認してください"
constexpr char kEndVersionCaption[] = "MsgBox";
// Added to the missing-file text when an archive the file could have come from was refused.
constexpr char kRefusedArchiveFormat[] = "\r\n\r\n(archive %s could not be opened)";
constexpr int kPathCapacity = 4096;

bool IsVersion(std::uint8_t byte) {
    return byte == kVersionC0 || byte == kVersionC1;
}

template <typename Cursor>
bool ReadRecord(Cursor& cursor, DataBaseRecord& record, std::size_t n, std::size_t s) {
    record.numbers.assign(n, 0);
    record.strings.assign(s, std::string());
    for (auto& number : record.numbers) {
        if (!GetInt(cursor, number))
            return false;
    }
    for (auto& text : record.strings) {
        if (!GetString(cursor, text))
            return false;
    }
    return true;
}

template <typename Cursor>
bool ReadType(Cursor& cursor, DataBaseType& type) {
    std::int32_t first = 0;
    if (!GetInt(cursor, first))
        return false;
    std::int32_t count = first;
    if (first <= -2 && !GetInt(cursor, type.nameSource))
        return false;
    if (first < 0) {
        type.layoutCode = first;
        if (!GetInt(cursor, count))
            return false;
    }
    if (!CountFits(cursor, count, 4))
        return false;
    type.contentCodes.assign(static_cast<std::size_t>(count), 0);
    std::size_t numbers = 0;
    std::size_t strings = 0;
    for (auto& code : type.contentCodes) {
        if (!GetInt(cursor, code))
            return false;
        numbers += code / 1000 == kNumberKind;
        strings += code / 1000 == kStringKind;
    }
    std::int32_t record_count = 0;
    if (!GetInt(cursor, record_count))
        return false;
    const std::size_t record_bytes = 4 * (numbers + strings);
    if (record_bytes == 0 ? record_count < 0 || record_count > kMaxEmptyRecords
                          : !CountFits(cursor, record_count, record_bytes)) {
        CountFits(cursor, -1, 1);
        return false;
    }
    type.records.clear();
    type.records.resize(static_cast<std::size_t>(record_count));
    for (auto& record : type.records) {
        if (!ReadRecord(cursor, record, numbers, strings))
            return false;
    }
    return true;
}

void ReadTexts(DataFileBuffer& cursor, std::vector<std::string>& texts, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i)
        texts[static_cast<std::size_t>(i)] = cursor.ReadDataString();
}

// A list stored with count entries: entries beyond the contents grow the list to fit.
template <typename List>
std::int32_t GrowToStored(DataFileBuffer& cursor, List& list, std::size_t itemBytes) {
    const std::int32_t count = cursor.ReadDataCount(itemBytes);
    if (list.size() < static_cast<std::size_t>(count))
        list.resize(static_cast<std::size_t>(count));
    return count;
}

[[noreturn]] void StopOnMissingFile(const std::string& path) {
    std::string text = FormatText(kMissingFormat, path.c_str());
    char archive[kPathCapacity];
    if (layer::GetRefusedArchivePath(archive, kPathCapacity) > 0)
        text += FormatText(kRefusedArchiveFormat, archive);
    ShowSystemMessageBox(text, kMissingCaption);
    layer::ShutdownLayer();
    ExitProgram(1);
}

std::vector<std::uint8_t> ReadRequiredFile(const std::string& path) {
    auto image = ReadWholeDataFile(path);
    if (!image)
        StopOnMissingFile(path);
    return std::move(*image);
}

}  // namespace

std::vector<std::vector<int>> CDBContentKinds;
std::vector<std::vector<std::int32_t>> CDBContentDefaults;

bool ReadDBTypeData(DataFileBuffer& cursor, DataBaseType& type) {
    return ReadType(cursor, type);
}
bool ReadDBTypeData(SaveBuffer& cursor, DataBaseType& type) {
    return ReadType(cursor, type);
}
bool ReadDBRecord(DataFileBuffer& cursor, DataBaseRecord& record, std::size_t n, std::size_t s) {
    return ReadRecord(cursor, record, n, s);
}
bool ReadDBRecord(SaveBuffer& cursor, DataBaseRecord& record, std::size_t n, std::size_t s) {
    return ReadRecord(cursor, record, n, s);
}

bool ReadDBTypeDefinition(DataFileBuffer& cursor, DataBaseTypeDesc& desc) {
    desc.typeName = cursor.ReadDataString();
    const std::int32_t content_count = cursor.ReadDataCount(4);
    desc.contentNames.assign(static_cast<std::size_t>(content_count), std::string());
    ReadTexts(cursor, desc.contentNames, content_count);
    const std::int32_t data_count = cursor.ReadDataCount(4);
    desc.dataNames.assign(static_cast<std::size_t>(data_count), std::string());
    ReadTexts(cursor, desc.dataNames, data_count);
    const auto contents = static_cast<std::size_t>(content_count);
    desc.contentTexts.resize(contents);
    desc.contentTextLists.resize(contents);
    desc.contentNumberLists.resize(contents);
    desc.contentDefaults.resize(contents, 0);
    desc.typeNote = cursor.ReadDataString();
    if (DBFileVersion == kVersionC0)
        return !cursor.damaged();

    const std::int32_t flag_count = GrowToStored(cursor, desc.contentFlags, 1);
    cursor.ReadDataBytes(desc.contentFlags.data(), static_cast<std::size_t>(flag_count));
    ReadTexts(cursor, desc.contentTexts, GrowToStored(cursor, desc.contentTexts, 4));
    const std::int32_t text_lists = GrowToStored(cursor, desc.contentTextLists, 4);
    for (std::int32_t i = 0; i < text_lists; ++i) {
        auto& list = desc.contentTextLists[static_cast<std::size_t>(i)];
        const std::int32_t count = cursor.ReadDataCount(4);
        list.assign(static_cast<std::size_t>(count), std::string());
        ReadTexts(cursor, list, count);
    }
    const std::int32_t number_lists = GrowToStored(cursor, desc.contentNumberLists, 4);
    for (std::int32_t i = 0; i < number_lists; ++i) {
        auto& list = desc.contentNumberLists[static_cast<std::size_t>(i)];
        list.assign(static_cast<std::size_t>(cursor.ReadDataCount(4)), 0);
        for (auto& number : list)
            number = cursor.ReadDataInt();
    }
    const std::int32_t default_count = GrowToStored(cursor, desc.contentDefaults, 4);
    for (std::int32_t i = 0; i < default_count; ++i)
        desc.contentDefaults[static_cast<std::size_t>(i)] = cursor.ReadDataInt();
    return !cursor.damaged();
}

DataBaseFileResult ParseDataBaseDat(std::span<const std::uint8_t> file,
                                    std::vector<DataBaseType>& types) {
    const DataFileFrame& frame = kDataFileFrame;
    OpenedDataFile opened = OpenDataFile(file, frame);
    DataFileBuffer cursor(std::move(opened.image));
    cursor.SkipDataBytes(static_cast<std::size_t>(frame.headerLength));
    DBFileVersion = kVersionC0;
    const std::uint8_t version = cursor.ReadDataByte();
    if (cursor.damaged())
        return DataBaseFileResult::kDamaged;
    if (!IsVersion(version))
        return DataBaseFileResult::kBadVersion;
    DBFileVersion = version;
    std::vector<DataBaseType> read(static_cast<std::size_t>(cursor.ReadDataCount(4)));
    for (auto& type : read) {
        if (!ReadDBTypeData(cursor, type))
            return DataBaseFileResult::kDamaged;
    }
    const std::uint8_t end_version = cursor.ReadDataByte();
    if (cursor.damaged())
        return DataBaseFileResult::kDamaged;
    if (!IsVersion(end_version)) {
        types = std::move(read);
        return DataBaseFileResult::kBadEndVersion;
    }
    if (!DataFileBodyIntact(cursor.data(), frame, opened,
                            static_cast<std::size_t>(cursor.GetDataPosition())))
        return DataBaseFileResult::kDamaged;
    types = std::move(read);
    return DataBaseFileResult::kLoaded;
}

bool ParseDataBaseProject(std::span<const std::uint8_t> file,
                          std::vector<DataBaseTypeDesc>& descs) {
    DataFileBuffer cursor(std::vector<std::uint8_t>(file.begin(), file.end()));
    std::vector<DataBaseTypeDesc> read(static_cast<std::size_t>(cursor.ReadDataCount(4)));
    for (auto& desc : read) {
        if (!ReadDBTypeDefinition(cursor, desc))
            return false;
    }
    if (cursor.damaged())
        return false;
    descs = std::move(read);
    return true;
}

bool LoadDataBaseFiles(DataBase& db, const std::string& name) {
    const std::string dat_path = "Data\\" + name + ".dat";
    const DataBaseFileResult result = ParseDataBaseDat(ReadRequiredFile(dat_path), db.types);
    if (result == DataBaseFileResult::kDamaged)
        StopOnDamagedDataFile(dat_path);
    if (result == DataBaseFileResult::kBadVersion)
        return false;
    if (result == DataBaseFileResult::kBadEndVersion) {
        ShowSystemMessageBox(FormatText(kEndVersionFormat, name.c_str()), kEndVersionCaption);
        return false;
    }
    LoadDataBaseProject(db.typeDescs, name);
    return true;
}

void LoadDataBaseProject(std::vector<DataBaseTypeDesc>& descs, const std::string& name) {
    const std::string project_path = "Data\\" + name + ".project";
    if (!ParseDataBaseProject(ReadRequiredFile(project_path), descs))
        StopOnDamagedDataFile(project_path);
}

void LoadDataBases() {
    SysDataBase = DataBase();
    UserDataBase = DataBase();
    CDataBase = DataBase();
    LoadDataBaseFiles(SysDataBase, "BasicData\\SysDataBase");
    LoadDataBaseFiles(UserDataBase, "BasicData\\DataBase");
    LoadDataBaseFiles(CDataBase, "BasicData\\CDataBase");
    // The music, background-sound and sound-effect lists get ten spare records each for
    // sounds registered by name at run time.
    for (int type = 1; type <= 3; ++type)
        SysDataBase.ResizeDBDataList(type, SysDataBase.GetDBDataCount(type) + 10);

    CDBContentKinds.assign(CDataBase.types.size(), {});
    CDBContentDefaults.assign(CDataBase.types.size(), {});
    for (std::size_t t = 0; t < CDataBase.types.size(); ++t) {
        for (std::size_t c = 0; c < CDataBase.types[t].contentCodes.size(); ++c) {
            CDBContentKinds[t].push_back(CDataBase.types[t].contentCodes[c] / 1000);
            const bool has_default =
                t < CDataBase.typeDescs.size() && c < CDataBase.typeDescs[t].contentDefaults.size();
            CDBContentDefaults[t].push_back(has_default ? CDataBase.typeDescs[t].contentDefaults[c]
                                                        : 0);
        }
    }
}

void KeepSoundListSizes(ScreenState& screenState) {
    for (int kind = 0; kind < 3; ++kind) {
        screenState.loadedSoundListSizes[static_cast<std::size_t>(kind)] =
            SysDataBase.GetDBDataCount(kind + 1) - 10;
        screenState.nextSpareSound[static_cast<std::size_t>(kind)] = 0;
    }
}

void WidenDBRecords(DataBase& db, int type, const std::vector<int>& kinds, int n,
                    const std::vector<std::int32_t>& defaults) {
    if (type < 0 || type >= db.GetDBTypeCount())
        return;
    auto& kind = db.types[static_cast<std::size_t>(type)];
    const std::size_t old_count = kind.contentCodes.size();
    const auto new_count = static_cast<std::size_t>(std::max(n, 0));
    if (new_count <= old_count || kinds.size() < new_count)
        return;
    kind.contentCodes.resize(new_count);
    if (static_cast<std::size_t>(type) < db.typeDescs.size()) {
        auto& desc = db.typeDescs[static_cast<std::size_t>(type)];
        desc.contentNames.resize(new_count);
        desc.contentTextLists.resize(new_count);
        desc.contentNumberLists.resize(new_count);
        desc.contentTexts.resize(new_count);
        desc.contentDefaults.resize(new_count, 0);
    }
    std::int32_t numbers = 0;
    std::int32_t strings = 0;
    for (std::size_t i = 0; i < new_count; ++i)
        kind.contentCodes[i] = kinds[i] == kNumberKind ? 1000 + numbers++ : 2000 + strings++;
    for (auto& record : kind.records) {
        for (std::size_t j = old_count; j < new_count; ++j) {
            if (kinds[j] == kNumberKind)
                record.numbers.push_back(j < defaults.size() ? defaults[j] : 0);
            else
                record.strings.emplace_back();
        }
    }
}

}  // namespace game

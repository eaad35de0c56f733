#include "game/core/database.h"
#include "game/core/database_names_texts.h"

namespace game {
namespace {

// Name sources can lead from database to database and back; a chain this long is a cycle.
constexpr int kMaxNameSteps = 32;

constexpr int kOwnNames = 0;
constexpr int kFirstTextContent = 1;
constexpr int kEarlierType = 2;

struct CrossSource {
    int first;
    int end;
    DataBase* DataBase::*link;
};
constexpr CrossSource kCrossSources[] = {
    {10000, 20000, &DataBase::sysDataBase},
    {20000, 30000, &DataBase::userDataBase},
    {30000, 40000, &DataBase::changeableDataBase},
};

int NameSourceOf(const DataBase& db, int type) {
    return type < db.GetDBTypeCount() ? db.types[static_cast<std::size_t>(type)].nameSource
                                      : kOwnNames;
}

bool HasDataName(const DataBase& db, int type, int data) {
    return type >= 0 && static_cast<std::size_t>(type) < db.typeDescs.size() && data >= 0 &&
           static_cast<std::size_t>(data) <
               db.typeDescs[static_cast<std::size_t>(type)].dataNames.size();
}

}  // namespace

std::string DataBase::GetDBTypeName(int type) const {
    if (type < 0 || static_cast<std::size_t>(type) >= typeDescs.size())
        return kNoData;
    return typeDescs[static_cast<std::size_t>(type)].typeName;
}

std::string DataBase::GetDBContentName(int type, int content) const {
    if (type < 0 || static_cast<std::size_t>(type) >= typeDescs.size())
        return kNoData;
    const auto& names = typeDescs[static_cast<std::size_t>(type)].contentNames;
    if (content < 0 || static_cast<std::size_t>(content) >= names.size())
        return kNoData;
    return names[static_cast<std::size_t>(content)];
}

std::string DataBase::GetDBDataName(int type, int data) const {
    return DataNameAtDepth(type, data, 0);
}

std::string DataBase::DataNameAtDepth(int type, int data, int depth) const {
    if (!HasDataName(*this, type, data) || depth > kMaxNameSteps)
        return kNoData;
    const int source = NameSourceOf(*this, type);
    if (source == kOwnNames)
        return typeDescs[static_cast<std::size_t>(type)].dataNames[static_cast<std::size_t>(data)];
    if (source == kFirstTextContent) {
        const auto& records = types[static_cast<std::size_t>(type)].records;
        if (static_cast<std::size_t>(data) < records.size() &&
            !records[static_cast<std::size_t>(data)].strings.empty())
            return records[static_cast<std::size_t>(data)].strings[0];
        return "";
    }
    if (source == kEarlierType) {
        int earlier = type - 1;
        while (earlier >= 0 && earlier < GetDBTypeCount() &&
               NameSourceOf(*this, earlier) == kEarlierType)
            --earlier;
        if (!HasDataName(*this, earlier, data))
            return kNoData;
        return DataNameAtDepth(earlier, data, depth + 1);
    }
    for (const CrossSource& cross : kCrossSources) {
        const DataBase* other = this->*cross.link;
        if (source < cross.first || source >= cross.end || other == nullptr)
            continue;
        const int other_type = source % 10000;
        if (!HasDataName(*other, other_type, data))
            return kNoData;
        return other->DataNameAtDepth(other_type, data, depth + 1);
    }
    return "";
}

}  // namespace game

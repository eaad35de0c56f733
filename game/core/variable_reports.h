#pragma once

#include <cstdint>
#include <string_view>

namespace game {

// The error reports of the variable accessors, numbered 1 to 16.
enum class VariableReport {
    kStoreBelowRange = 1,
    kStoreRetiredCommonSelf,
    kNumberIntoCommonString,
    kTextIntoChangeableDataBase,
    kTextIntoUserDataBase,
    kTextIntoSystemDataBase,
    kStoreUnassignedDataBase,
    kStringIntoRetiredCommonSelf,
    kTextIntoCommonNumber,
    kNumberIntoLiveChangeableDataBase,
    kNumberIntoGivenChangeableDataBase,
    kNumberIntoUserDataBase,
    kNumberIntoSystemDataBase,
    kTextIntoNumberId,
    kReadRetiredCommonSelf,
    kReadStringAsNumber,
};

// Shows one report in the error box; value and text fill the reports that name them.
void ShowVariableReport(VariableReport report, std::int32_t id, std::int32_t value = 0,
                        std::string_view text = {});

}  // namespace game

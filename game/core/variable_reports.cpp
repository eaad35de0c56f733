#include "game/core/variable_reports.h"

#include <array>
#include <string>

#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"
#include "game/core/variable_reports_texts.h"

namespace game {
namespace {

// What fills the first line's fields.
enum class Fields { kNone, kId, kIdAndValue, kIdAndText };

struct ReportRow {
    const char* format;
    Fields fields;
    bool pointLine;   // the processing point as the second line
    bool targetLine;  // the target ID as the third line
};

constexpr std::array<ReportRow, 16> kReports{{
    {kReport1, Fields::kId, true, false},
    {kReport2, Fields::kNone, true, false},
    {kReport3, Fields::kNone, false, false},
    {kReport4, Fields::kNone, true, true},
    {kReport5, Fields::kNone, true, true},
    {kReport6, Fields::kNone, true, true},
    {kReport7, Fields::kIdAndValue, true, false},
    {kReport8, Fields::kNone, true, false},
    {kReport9, Fields::kNone, true, true},
    {kReport10, Fields::kNone, true, true},
    {kReport11, Fields::kNone, true, true},
    {kReport12, Fields::kNone, true, true},
    {kReport13, Fields::kNone, true, true},
    {kReport14, Fields::kIdAndText, true, false},
    {kReport15, Fields::kNone, true, false},
    {kReport16, Fields::kId, true, false},
}};

std::string FirstLine(const ReportRow& row, std::int32_t id, std::int32_t value,
                      std::string_view text) {
    switch (row.fields) {
        case Fields::kId:
            return FormatText(row.format, id);
        case Fields::kIdAndValue:
            return FormatText(row.format, id, value);
        case Fields::kIdAndText:
            return FormatText(row.format, id, std::string(text).c_str());
        case Fields::kNone:
            break;
    }
    return row.format;
}

}  // namespace

void ShowVariableReport(VariableReport report, std::int32_t id, std::int32_t value,
                        std::string_view text) {
    const ReportRow& row = kReports[static_cast<std::size_t>(report) - 1];
    ShowErrorBox(FirstLine(row, id, value, text), row.pointLine ? GetProcessingPointText() : "",
                 row.targetLine ? FormatText(kTarget, id) : "");
}

}  // namespace game

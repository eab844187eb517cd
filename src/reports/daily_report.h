// The daily report: every programme of one day on all channels, or only those of one type,
// ordered by hour, made from the chosen card template and written to AppFolder/temp.htm.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "browser/guide_page.h"
#include "common/day.h"
#include "common/dialogs.h"
#include "engine/programme_store.h"

namespace zelidor {

inline constexpr const char* kAllTypes = "Tutti i Tipi";
inline constexpr const char* kReportTitle = "REPORT GIORNALIERO";

// The list shows at most this many programmes; only the first kReportDescribedRows of them can
// be described.
inline constexpr std::size_t kReportListedRows = 32001;
inline constexpr std::size_t kReportDescribedRows = 101;

// The type list of the report window, in its order ("Sport" stands twice, as it always has).
std::vector<std::string> reportTypeChoices();

struct ReportRequest {
    std::filesystem::path appFolder;
    std::string templateName;  // the card template chosen in the main window
    Day day;
    std::string typeText;  // kAllTypes, or the beginning of the types to report
    int days = 1;          // the period: this many days from `day` on
};

// The programmes of the report, in report order: the rows of the days from `day` on (`days` of
// them) ordered by day, then by hour (then by the order they were stored), only those whose
// type begins with typeText (letter case ignored, Latin-1 letters included) unless it is
// kAllTypes; at most kReportListedRows.
std::vector<ProgrammeRow> reportRows(ProgrammeStore& store, const Day& day,
                                     std::string_view typeText, int days = 1);

// "<TV_TITLE>" becomes "REPORT GIORNALIERO", "<PR_TV>" each programme's channel. A row links to
// its description through the programme's position in the report, which, unlike the programme
// number, is unique across channels. A report of several days shows the period in its head
// ("<TV_TODAY>" from the first day to the last) and each programme's day before its hour.
PageBuild buildDailyReport(const ReportRequest& request, Dialogs& dialogs);

}  // namespace zelidor

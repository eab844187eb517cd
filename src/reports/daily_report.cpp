#include "reports/daily_report.h"

#include <algorithm>

#include "common/number.h"
#include "common/text.h"

namespace zelidor {

namespace {

bool typeBeginsWith(const std::optional<std::string>& type, std::string_view prefix) {
    return type && type->size() >= prefix.size() && findNoCase(*type, prefix) == 1;
}

}  // namespace

std::vector<std::string> reportTypeChoices() {
    return {kAllTypes, "Film",  "Telefilm", "Spettacolo", "Musica", "Speciale",     "documentari",
            "Ragazzi", "Sport", "Rubrica",  "Magazine",   "Corto",  "Informazione", "Sport"};
}

std::vector<ProgrammeRow> reportRows(ProgrammeStore& store, const Day& day,
                                     std::string_view typeText, int days) {
    // The type test is made here rather than in SQL, whose LIKE folds ASCII letters only.
    Statement query = store.database().prepare(
        "SELECT Data, Ora, Titolo, Link, Commenti, Cover, Palinsesto, Numerazione, Type "
        "FROM Programmi WHERE Data BETWEEN ? AND ? ORDER BY Data ASC, Ora ASC, rowid ASC");
    query.bind(1, day.number()).bind(2, day.plusDays(std::max(days, 1) - 1).number());
    bool allTypes = typeText == kAllTypes;
    std::vector<ProgrammeRow> rows;
    while (rows.size() < kReportListedRows && query.step()) {
        ProgrammeRow row = ProgrammeStore::rowFrom(query);
        if (allTypes || typeBeginsWith(row.type, typeText)) {
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

PageBuild buildDailyReport(const ReportRequest& request, Dialogs& dialogs) {
    bool period = request.days > 1;
    auto query = [&](ProgrammeStore& store) {
        std::vector<ProgrammeRow> rows =
            reportRows(store, request.day, request.typeText, request.days);
        if (period) {
            // Over several days an hour alone would not say which day it belongs to.
            for (ProgrammeRow& row : rows) {
                if (row.data && row.ora) {
                    row.ora = slashedDay(numberText(*row.data)).substr(0, 5) + " " + *row.ora;
                }
            }
        }
        return rows;
    };
    auto layoutFor = [&](const std::vector<ProgrammeRow>&) {
        PageLayout layout;
        layout.headTitle = kReportTitle;
        layout.day = request.day;
        if (period) {
            layout.lastDay = request.day.plusDays(request.days - 1);
        }
        layout.listLimit = kReportListedRows;
        layout.describeLimit = kReportDescribedRows;
        layout.withChannel = true;
        layout.anchorOf = [](const ProgrammeRow&, std::size_t position) {
            return numberText(static_cast<std::int64_t>(position + 1));
        };
        return layout;
    };
    return buildGuidePage(request.appFolder, request.templateName, dialogs, query, layoutFor);
}

}  // namespace zelidor

#include "browser/card_page.h"

#include "common/number.h"

namespace zelidor {

PageBuild buildCardPage(const CardRequest& request, Dialogs& dialogs) {
    auto query = [&](ProgrammeStore& store) {
        return store.channelDay(request.day.number(), request.channel);
    };
    auto layoutFor = [&](const std::vector<ProgrammeRow>& rows) {
        PageLayout layout;
        if (!rows.empty()) {
            layout.headTitle = rows.front().palinsesto.value_or("");
        }
        layout.day = request.day;
        layout.listLimit = kCardRowLimit;
        layout.describeLimit = kCardRowLimit;
        // The programme's number is unique within its channel-day.
        layout.anchorOf = [](const ProgrammeRow& row, std::size_t) {
            return row.numerazione ? numberText(*row.numerazione) : std::string();
        };
        return layout;
    };
    return buildGuidePage(request.appFolder, request.templateName, dialogs, query, layoutFor);
}

}  // namespace zelidor

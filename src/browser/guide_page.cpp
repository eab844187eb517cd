#include "browser/guide_page.h"

#include <fstream>
#include <initializer_list>
#include <system_error>

#include "browser/card_filling.h"
#include "browser/status_texts.h"

namespace zelidor {

namespace {

std::vector<ProgrammeRow> queryRows(const std::filesystem::path& appFolder, const RowQuery& query,
                                    std::vector<std::string>& status) {
    std::filesystem::path file = ProgrammeStore::defaultFile(appFolder);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return {};  // nothing downloaded yet
    }
    try {
        ProgrammeStore store(file, Database::Mode::ReadOnly);
        return query(store);
    } catch (const StoreError& e) {
        status.push_back(status::databaseFailure(e.what()));
        return {};
    }
}

}  // namespace

std::string assemblePage(const CardTemplate& card, const std::vector<ProgrammeRow>& rows,
                         const PageLayout& layout) {
    std::string listed;
    std::string described;
    for (std::size_t i = 0; i < rows.size() && i < layout.listLimit; ++i) {
        if (rows[i].data) {
            listed +=
                fillListRow(card.row, rows[i], layout.anchorOf(rows[i], i), layout.withChannel);
        }
    }
    for (std::size_t i = 0; i < rows.size() && i < layout.describeLimit; ++i) {
        if (rows[i].data && hasDescription(rows[i])) {
            described += fillDescription(card.detail, rows[i], layout.anchorOf(rows[i], i));
        }
    }
    std::string head = fillHead(card.head, layout.headTitle, layout.day, layout.lastDay);
    std::string page;
    page.reserve(head.size() + listed.size() + card.middle.size() + described.size() +
                 card.tail.size() + 10);
    for (const std::string* part : std::initializer_list<const std::string*>{
             &head, &listed, &card.middle, &described, &card.tail}) {
        page.append(*part).append("\r\n");
    }
    return page;
}

std::filesystem::path generatedPagePath(const std::filesystem::path& appFolder) {
    return appFolder / "temp.htm";
}

bool writePageFile(const std::filesystem::path& file, std::string_view text) {
    std::filesystem::path part = file;
    part += ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(part, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(part, file, error);
    if (error) {
        std::filesystem::remove(part, error);
        return false;
    }
    return true;
}

PageBuild buildGuidePage(const std::filesystem::path& appFolder, std::string_view templateName,
                         Dialogs& dialogs, const RowQuery& query, const LayoutFor& layoutFor) {
    PageBuild build;
    if (templateName.empty()) {
        dialogs.message(kProgramTitle, kNoCardChosen, MessageIcon::Information);
        return build;
    }
    std::filesystem::path templateFile = cardTemplatePath(appFolder, templateName);
    std::optional<CardTemplate> card = readCardTemplateFile(templateFile);
    if (!card) {
        build.statusTexts.push_back(status::fileNotFound(templateFile));
        return build;
    }
    std::vector<ProgrammeRow> rows = queryRows(appFolder, query, build.statusTexts);
    std::string page = assemblePage(*card, rows, layoutFor(rows));
    std::filesystem::path pageFile = generatedPagePath(appFolder);
    if (writePageFile(pageFile, page)) {
        build.page = pageFile;
    } else {
        build.statusTexts.push_back(status::cannotWrite(pageFile));
    }
    return build;
}

}  // namespace zelidor

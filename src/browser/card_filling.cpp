#include "browser/card_filling.h"

namespace zelidor {

namespace {

// What an empty column leaves in its tag's place. The three placeholders are comments of
// different lengths that show nothing.
constexpr std::string_view kNoLink = "<!---->";
constexpr std::string_view kNoDescription = "<!----->";
constexpr std::string_view kNoWebLink = "<!----->";
constexpr std::string_view kNoType = "<!------>";

std::string_view textOf(const std::optional<std::string>& column) {
    return column ? std::string_view(*column) : std::string_view();
}

std::string_view orPlaceholder(const std::optional<std::string>& column,
                               std::string_view placeholder) {
    return column && !column->empty() ? std::string_view(*column) : placeholder;
}

}  // namespace

std::string fillTags(std::string_view section, std::initializer_list<TagValue> tags) {
    std::string out;
    out.reserve(section.size() + 256);
    std::size_t pos = 0;
    while (pos < section.size()) {
        std::size_t open = section.find('<', pos);
        if (open == std::string_view::npos) {
            break;
        }
        out.append(section.substr(pos, open - pos));
        const TagValue* hit = nullptr;
        for (const TagValue& tag : tags) {
            if (section.substr(open, tag.tag.size()) == tag.tag) {
                hit = &tag;
                break;
            }
        }
        if (hit) {
            out.append(hit->value);
            pos = open + hit->tag.size();
        } else {
            out.push_back('<');
            pos = open + 1;
        }
    }
    if (pos < section.size()) {
        out.append(section.substr(pos));
    }
    return out;
}

std::string fillHead(std::string_view head, const std::optional<std::string>& title, const Day& day,
                     const std::optional<Day>& lastDay) {
    std::string today = day.slashed();
    if (lastDay) {
        today += " - " + lastDay->slashed();
    }
    if (!title) {
        return fillTags(head, {{"<TV_TODAY>", today}});
    }
    return fillTags(head, {{"<TV_TITLE>", *title}, {"<TV_TODAY>", today}});
}

bool hasDescription(const ProgrammeRow& row) {
    return row.commenti && !row.commenti->empty();
}

std::string fillListRow(std::string_view rowSection, const ProgrammeRow& row,
                        std::string_view anchor, bool withChannel) {
    bool linked = hasDescription(row);
    std::string open(kNoLink);
    if (linked) {
        open.assign("<a href='#").append(anchor).append("'>");
    }
    std::string_view close = linked ? std::string_view("</a>") : kNoLink;
    if (withChannel) {
        return fillTags(rowSection, {{"<TV_HOUR>", textOf(row.ora)},
                                     {"<PR_TITLE>", textOf(row.titolo)},
                                     {"<PR_TIPO>", textOf(row.type)},
                                     {"<PR_TV>", textOf(row.palinsesto)},
                                     {"<!--BEGIN_LINK_FLAG-->", open},
                                     {"<!--END_LINK_FLAG-->", close}});
    }
    return fillTags(rowSection, {{"<TV_HOUR>", textOf(row.ora)},
                                 {"<PR_TITLE>", textOf(row.titolo)},
                                 {"<PR_TIPO>", textOf(row.type)},
                                 {"<!--BEGIN_LINK_FLAG-->", open},
                                 {"<!--END_LINK_FLAG-->", close}});
}

std::string fillDescription(std::string_view detailSection, const ProgrammeRow& row,
                            std::string_view anchor) {
    std::string cover("covers\\");
    cover.append(row.cover && !row.cover->empty() ? std::string_view(*row.cover) : "none.jpg");
    return fillTags(detailSection,
                    {{"<TV_HOUR>", textOf(row.ora)},
                     {"<PR_TITLE>", textOf(row.titolo)},
                     {"<!--NAME_FLAG-->", anchor},
                     {"<TV_DESCRIPTION>", orPlaceholder(row.commenti, kNoDescription)},
                     {"<TV_WEBLINK>", orPlaceholder(row.link, kNoWebLink)},
                     {"<TV_TYPE>", orPlaceholder(row.type, kNoType)},
                     {"<TV_COVER>", cover}});
}

}  // namespace zelidor

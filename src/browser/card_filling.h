// Filling the tags of card template sections from programme rows. Card pages and daily reports
// share it: each copy of a section is filled on its own before it joins the page, so building a
// page takes time in proportion to its size, and a value is inserted exactly as stored (never
// scanned again for tags).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "common/day.h"
#include "engine/programme_store.h"

namespace zelidor {

struct TagValue {
    std::string_view tag;
    std::string_view value;
};

// Replaces every occurrence of each tag in one left-to-right pass; the tags must not be
// prefixes of one another.
std::string fillTags(std::string_view section, std::initializer_list<TagValue> tags);

// The head: "<TV_TITLE>" becomes title, unless there is none (the tag then stays as written),
// and "<TV_TODAY>" the day as dd/mm/yyyy, or the period "dd/mm/yyyy - dd/mm/yyyy" up to lastDay.
std::string fillHead(std::string_view head, const std::optional<std::string>& title, const Day& day,
                     const std::optional<Day>& lastDay = std::nullopt);

// A programme gets a description block, and its list row a link, when its description is not
// empty.
bool hasDescription(const ProgrammeRow& row);

// One list row: hour, title, type, the link flags (a link to #anchor for a described programme,
// an empty comment otherwise) and, when withChannel, "<PR_TV>" the channel. A null column fills
// its tag with the empty text.
std::string fillListRow(std::string_view rowSection, const ProgrammeRow& row,
                        std::string_view anchor, bool withChannel);

// One description block: hour, title, the anchor name, and the description, web link and type
// with their empty-comment placeholders, and the cover path (covers\none.jpg without a cover).
std::string fillDescription(std::string_view detailSection, const ProgrammeRow& row,
                            std::string_view anchor);

}  // namespace zelidor

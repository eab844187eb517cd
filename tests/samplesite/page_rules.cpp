#include "page_rules.h"

#include <regex>
#include <set>

#include "common/text.h"

namespace zelidor::samplesite::test {

namespace {

using Lines = std::vector<std::string>;

bool has(const std::string& line, std::string_view word) {
    return containsNoCase(line, word);
}

bool inColumnOne(const std::string& line, std::string_view word) {
    return findNoCase(line, word) == 1;
}

std::string at(std::size_t index, const std::string& rule) {
    return "line " + std::to_string(index + 1) + ": " + rule;
}

// LF line ends, and Latin-1 text that no UTF-8 slipped into.
void checkBytes(std::string_view page, std::vector<std::string>& faults) {
    if (page.find('\r') != std::string_view::npos) {
        faults.push_back("a CR line end (rows would shift)");
    }
    if (page.find("charset=iso-8859-1") == std::string_view::npos) {
        faults.push_back("no iso-8859-1 charset declared");
    }
    for (std::size_t i = 0; i + 1 < page.size(); ++i) {
        auto lead = static_cast<unsigned char>(page[i]);
        auto next = static_cast<unsigned char>(page[i + 1]);
        if (lead >= 0xC2 && lead <= 0xF4 && next >= 0x80 && next <= 0xBF) {
            faults.push_back("UTF-8 text in a Latin-1 page");
            return;
        }
    }
}

// R1 hour, R2 type, R3 title and code; R4 is free but must not look like a row.
void checkRow(const Lines& lines, std::size_t r1, std::set<std::string>& codes,
              std::vector<std::string>& faults) {
    static const std::regex hour(R"(^<tr bgcolor="[^">]*"><td [^>]*> *[0-2]\d:[0-5]\d *</td>$)");
    static const std::regex type(R"re(^<td class="g-[^"]*[^" ][^"]*"[^>]*>[^<]*</td>$)re");
    static const std::regex title(
        R"re(^<td class="titolo"><a href="javascript:apri\('programmi\.phtml\?codice=(\d+)'\)">[^<>]*[^<> ][^<>]*</a></td>$)re");
    std::smatch code;
    if (!std::regex_match(lines[r1], hour)) {
        faults.push_back(at(r1, "R1 is not <tr bgcolor> plus a plain HH:MM hour cell"));
    }
    if (!std::regex_match(lines[r1 + 1], type)) {
        faults.push_back(at(r1 + 1, "R2 is not the g- type cell"));
    }
    if (!std::regex_match(lines[r1 + 2], code, title) || !codes.insert(code[1]).second) {
        faults.push_back(at(r1 + 2, "R3 is not a title link with a new digits-only code"));
    }
    if (has(lines[r1 + 3], "<tr") || has(lines[r1 + 3], "<td class=\"")) {
        faults.push_back(at(r1 + 3, "R4 looks like a row"));
    }
}

}  // namespace

Lines readerLines(std::string_view page) {
    Lines lines;
    std::size_t start = 0;
    while (start < page.size()) {
        std::size_t end = page.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(std::string(page.substr(start)) + "  ");
            break;
        }
        lines.emplace_back(page.substr(start, end - start));
        start = end + 1;
    }
    lines.insert(lines.end(), {"  ", "  "});
    return lines;
}

std::vector<std::string> listingPageViolations(std::string_view page) {
    std::vector<std::string> faults;
    checkBytes(page, faults);
    Lines lines = readerLines(page);
    std::size_t i = 0;
    while (i < lines.size() && !has(lines[i], "<!-- start DX main -->")) {
        ++i;
    }
    while (++i < lines.size() && !inColumnOne(lines[i], "</table>")) {
    }
    std::size_t header = i + 1;
    while (++i < lines.size() && !has(lines[i], "<tr bgcolor")) {
        if (has(lines[i], "bgcolor")) {
            faults.push_back(at(i, "header row with bgcolor"));
        }
    }
    if (i == header || i >= lines.size()) {
        faults.push_back("no start marker, column-1 </table>, header row and programme row");
        return faults;
    }
    std::set<std::string> codes;
    for (; i + 5 < lines.size(); i += 4) {
        checkRow(lines, i, codes, faults);
        if (inColumnOne(lines[i + 4], "</tr>")) {
            if (!inColumnOne(lines[i + 5], "</table>")) {
                faults.push_back(at(i + 5, "the table does not end after </tr>"));
            }
            return faults;
        }
        if (!has(lines[i + 4], "<tr bgcolor")) {
            faults.push_back(at(i + 4, "neither the next R1 nor the closing </tr> in column 1"));
            return faults;
        }
    }
    faults.push_back("the programme table never ends");
    return faults;
}

std::vector<std::string> detailPageViolations(std::string_view page) {
    std::vector<std::string> faults;
    checkBytes(page, faults);
    Lines lines = readerLines(page);
    static const std::regex poster(R"re(<img src="/statiche/media/foto/\d+\.jpg")re");
    auto firstWith = [&](std::string_view word, std::size_t from) {
        while (from < lines.size() && !has(lines[from], word)) {
            ++from;
        }
        return from;
    };
    if (std::size_t d1 = firstWith("statiche/media", 0);
        d1 < lines.size() && !std::regex_search(lines[d1], poster)) {
        faults.push_back(at(d1, "the first statiche/media line is not the poster"));
    }
    if (std::size_t d2 = firstWith("<!--<br>", 0); d2 < lines.size()) {
        std::size_t text = firstWith("<b>", d2 + 1) + 1;
        const std::string& line = text < lines.size() ? lines[text] : lines.back();
        if (line.size() < 2 || line[0] != ' ' ||
            trimBlanks(midText(line, 2, findNoCase(line, "</td>") - 2)).empty()) {
            faults.push_back(at(text, "no indented one-line description after the title"));
        }
    }
    std::size_t d3 = firstWith("<b>Film</b>", 0);
    if (d3 < lines.size() &&
        (!has(lines[d3], "class=\"cast\"") || firstWith("<b>Film</b>", d3 + 1) < lines.size() ||
         firstWith("</td>", d3 + 1) >= lines.size())) {
        faults.push_back(at(d3, "<b>Film</b> not the one credits heading with a </td> line after"));
    }
    return faults;
}

}  // namespace zelidor::samplesite::test

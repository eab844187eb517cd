#include "page_rules.h"

#include <regex>
#include <set>

#include "common/text.h"

namespace zelidor::samplesite::test {

namespace {

bool has(const std::string& line, std::string_view word) {
    return containsNoCase(line, word);
}

bool startsWith(const std::string& line, std::string_view word) {
    return findNoCase(line, word) == 1;
}

std::string at(std::size_t index, const std::string& rule) {
    return "line " + std::to_string(index + 1) + ": " + rule;
}

// Faults common to every page: line ends, encoding.
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

void checkRow(const std::vector<std::string>& lines, std::size_t r1, std::set<std::string>& codes,
              std::vector<std::string>& faults) {
    static const std::regex hourLine(R"(^<tr bgcolor="[^">]*"><td [^>]*>([^<>]*)</td>$)");
    static const std::regex typeLine(R"re(^<td class="g-([^"]*)"[^>]*>[^<]*</td>$)re");
    static const std::regex titleLine(
        R"re(^<td class="titolo"><a href="javascript:apri\('programmi\.phtml\?codice=([^']*)'\)">([^<>]*)</a></td>$)re");
    static const std::regex hourText("^[0-2][0-9]:[0-5][0-9]$");
    std::smatch m;
    if (!std::regex_match(lines[r1], m, hourLine) ||
        !std::regex_match(trimBlanks(m[1].str()), hourText)) {
        faults.push_back(at(r1, "R1 is not <tr bgcolor> plus a plain HH:MM hour cell"));
    }
    if (!std::regex_match(lines[r1 + 1], m, typeLine) || trimBlanks(m[1].str()).empty()) {
        faults.push_back(at(r1 + 1, "R2 is not the g- type cell"));
    }
    if (!std::regex_match(lines[r1 + 2], m, titleLine)) {
        faults.push_back(at(r1 + 2, "R3 is not the javascript title link"));
    } else {
        std::string code = m[1].str();
        if (code.empty() || code.find_first_not_of("0123456789") != std::string::npos ||
            !codes.insert(code).second) {
            faults.push_back(at(r1 + 2, "code empty, not digits or repeated: " + code));
        }
        if (trimBlanks(m[2].str()).empty()) {
            faults.push_back(at(r1 + 2, "empty title"));
        }
    }
    if (has(lines[r1 + 3], "<td class=\"") && !has(lines[r1 + 3], "align=")) {
        faults.push_back(at(r1 + 3, "R4 looks like a row's cell"));
    }
}

}  // namespace

std::vector<std::string> readerLines(std::string_view page) {
    std::vector<std::string> lines;
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
    std::vector<std::string> lines = readerLines(page);
    std::size_t i = 0;
    while (i < lines.size() && !has(lines[i], "<!-- start DX main -->")) {
        ++i;
    }
    while (++i < lines.size() && !startsWith(lines[i], "</table>")) {
    }
    if (i >= lines.size()) {
        faults.push_back("no start marker followed by a column-1 </table>");
        return faults;
    }
    std::size_t header = i + 1;
    while (++i < lines.size() && !has(lines[i], "<tr bgcolor")) {
        if (has(lines[i], "bgcolor")) {
            faults.push_back(at(i, "header row with bgcolor"));
        }
    }
    if (i == header || i >= lines.size()) {
        faults.push_back("no header row, or no programme row");
        return faults;
    }
    std::set<std::string> codes;
    while (i + 5 < lines.size()) {
        checkRow(lines, i, codes, faults);
        i += 4;
        if (startsWith(lines[i], "</tr>")) {
            if (!startsWith(lines[i + 1], "</table>")) {
                faults.push_back(at(i + 1, "the table does not end after </tr>"));
            }
            return faults;
        }
        if (!has(lines[i], "<tr bgcolor")) {
            faults.push_back(at(i, "neither the next R1 nor the closing </tr> in column 1"));
            return faults;
        }
    }
    faults.push_back("the programme table never ends");
    return faults;
}

std::vector<std::string> detailPageViolations(std::string_view page) {
    std::vector<std::string> faults;
    checkBytes(page, faults);
    std::vector<std::string> lines = readerLines(page);
    static const std::regex posterLine(R"re(<img src="/statiche/media/foto/[0-9]+\.jpg")re");
    bool posterSeen = false;
    bool filmSeen = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (has(line, "statiche/media") && !posterSeen) {
            posterSeen = true;
            if (!std::regex_search(line, posterLine)) {
                faults.push_back(at(i, "the first statiche/media line is not the poster"));
            }
        }
        if (has(line, "<!--<br>")) {
            std::size_t title = i + 1;
            while (title < lines.size() && !has(lines[title], "<b>")) {
                ++title;
            }
            const std::string& text = title + 1 < lines.size() ? lines[title + 1] : "";
            if (text.size() < 2 || text[0] != ' ' || startsWith(text, "</td>") ||
                trimBlanks(text.substr(1, findNoCase(text, "</td>") - 2)).empty()) {
                faults.push_back(at(title + 1, "no indented one-line description"));
            }
        }
        if (has(line, "<b>Film</b>")) {
            if (filmSeen || !has(line, "class=\"cast\"")) {
                faults.push_back(at(i, "<b>Film</b> outside the one credits heading"));
            }
            filmSeen = true;
            std::size_t credits = i + 1;
            while (credits < lines.size() && !has(lines[credits], "</td>")) {
                ++credits;
            }
            if (credits >= lines.size()) {
                faults.push_back(at(i, "<b>Film</b> without a later </td> line"));
            }
        }
    }
    return faults;
}

}  // namespace zelidor::samplesite::test

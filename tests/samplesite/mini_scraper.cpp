#include "mini_scraper.h"

#include <stb_image.h>

#include <stdexcept>

#include "common/text.h"
#include "page_rules.h"
#include "samplesite/site_address.h"

namespace zelidor::samplesite::test {

namespace {

using Lines = std::vector<std::string>;

// The first line after `after` that contains the word (any case).
std::size_t nextLineWith(const Lines& lines, std::size_t after, std::string_view word) {
    for (std::size_t i = after + 1; i < lines.size(); ++i) {
        if (containsNoCase(lines[i], word)) {
            return i;
        }
    }
    throw std::runtime_error("no line with " + std::string(word));
}

// Text strictly between two 1-based columns.
std::string between(const std::string& line, std::size_t open, std::size_t close) {
    if (open == 0 || close <= open) {
        throw std::runtime_error("columns out of order on: " + line);
    }
    return midText(line, open + 1, close - open - 1);
}

std::optional<std::string> nonEmpty(std::string text) {
    return text.empty() ? std::nullopt : std::optional(std::move(text));
}

struct Detail {
    std::string comments;
    bool poster = false;
};

Detail readDetail(const Fetch& fetch, const std::string& host, const std::string& link) {
    Detail detail;
    Lines lines = readerLines(fetch(link).value_or(""));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::size_t s = findNoCase(lines[i], "statiche/media"); s != 0) {  // D1
            std::string path = between(lines[i], s, findNoCase(lines[i], "\"", s));
            std::string picture = fetch("http://" + host + "/s" + trimBlanks(path)).value_or("");
            int w = 0, h = 0, n = 0;
            detail.poster = stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(picture.data()),
                                                  static_cast<int>(picture.size()), &w, &h, &n);
            break;
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (containsNoCase(lines[i], "<!--<br>")) {  // D2
            const std::string& text = lines[nextLineWith(lines, i, "<b>") + 1];
            std::size_t end = findNoCase(text, "</td>");
            detail.comments += trimBlanks(end ? midText(text, 2, end - 2) : midText(text, 2));
            break;
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (containsNoCase(lines[i], "<b>Film</b>")) {  // D3
            const std::string& text = lines[nextLineWith(lines, i, "</td>")];
            detail.comments +=
                "--------->" + cleanedCredits(midText(text, 1, findNoCase(text, "</td>") - 1));
            break;
        }
    }
    return detail;
}

}  // namespace

std::vector<ProgrammeRow> scrapeChannelDay(const Fetch& fetch, const std::string& host,
                                           const ChannelInfo& channel, const Day& day,
                                           DownloadMode mode) {
    std::optional<std::string> page = fetch(listingAddress(host, channel, day));
    if (!page) {
        throw std::runtime_error("listing not served");
    }
    Lines lines = readerLines(*page);
    std::size_t at = nextLineWith(lines, static_cast<std::size_t>(-1), "<!-- start DX main -->");
    do {
        at = nextLineWith(lines, at, "</table>");
    } while (findNoCase(lines[at], "</table>") != 1);
    at = nextLineWith(lines, at, "<tr bgcolor");

    std::vector<ProgrammeRow> rows;
    while (true) {
        ProgrammeRow row;
        const std::string& r1 = lines[at];  // R1: between the 2nd '>' and the next '<'
        std::size_t second = findNoCase(r1, ">", findNoCase(r1, ">") + 1);
        row.ora = nonEmpty(trimBlanks(between(r1, second, findNoCase(r1, "<", second))));

        std::size_t r2at = nextLineWith(lines, at, "<td class=\"");
        const std::string& r2 = lines[r2at];
        std::size_t dash =
            findNoCase(r2, "-", findNoCase(r2, "\"g-", findNoCase(r2, "<td class=")));
        row.type = nonEmpty(trimBlanks(between(r2, dash, findNoCase(r2, "\"", dash))));

        std::size_t r3at = nextLineWith(lines, r2at, "<a href=\"javascript");
        const std::string& r3 = lines[r3at];
        std::size_t open = findNoCase(r3, ">", findNoCase(r3, "<a href=\"javascript"));
        row.titolo = nonEmpty(trimBlanks(between(r3, open, findNoCase(r3, "<", open))));
        std::size_t p = findNoCase(r3, "programmi.phtml");
        std::size_t equals = findNoCase(r3, "=", p);
        std::string code = between(r3, equals, findNoCase(r3, "'", equals));
        std::string link = "http://" + host + "/p" + between(r3, p, findNoCase(r3, "'", p + 1));
        row.link = trimBlanks(link);

        if (mode == DownloadMode::WithDetails) {
            Detail detail = readDetail(fetch, host, link);
            row.commenti = nonEmpty(detail.comments);
            if (detail.poster && !code.empty()) {
                row.cover = coverFileBase(channel.name, code) + ".jpg";
            }
        }
        row.data = day.number();
        row.palinsesto = std::string(channel.name);
        row.numerazione = static_cast<std::int64_t>(rows.size() + 1);
        rows.push_back(std::move(row));

        at = r3at + 2;  // two reader lines on: the next R1, or </tr> in column 1
        if (at >= lines.size() || findNoCase(lines[at], "</tr>") == 1) {
            return rows;
        }
    }
}

}  // namespace zelidor::samplesite::test

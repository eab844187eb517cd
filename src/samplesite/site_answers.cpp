#include "samplesite/site_answers.h"

#include "samplesite/poster_pictures.h"
#include "samplesite/site_address.h"
#include "samplesite/site_calendar.h"
#include "samplesite/site_pages.h"

namespace zelidor::samplesite {

namespace {

constexpr std::string_view kStyleSheet =
    "body { font-family: Verdana, Arial, sans-serif; font-size: 11px; }\n"
    ".intestazione { background: #336699; color: #FFFFFF; font-weight: bold; }\n"
    ".ora { font-weight: bold; }\n"
    ".canale, .data { font-size: 14px; font-weight: bold; }\n"
    ".cast, .orario { color: #555555; }\n";

// A 1x1 transparent GIF, standing in for the site's decorative images.
constexpr unsigned char kBlankGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF,
    0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

SiteAnswer page(std::string body) {
    return SiteAnswer{200, std::string(kPageContentType), std::move(body)};
}

}  // namespace

SiteAnswer errorAnswer(int status) {
    std::string title = status == 404 ? "Pagina non trovata" : "Errore del server";
    return SiteAnswer{status, std::string(kPageContentType),
                      "<html>\n<head><title>" + title + "</title></head>\n<body>\n<h1>" + title +
                          "</h1>\n</body>\n</html>\n"};
}

SiteAnswers::SiteAnswers() : posters_(drawPosterPictures()) {}

SiteAnswer SiteAnswers::answer(std::string_view target, std::string_view releaseText) const {
    switch (requestKind(target)) {
        case RequestKind::Listing:
            return listing(target);
        case RequestKind::Detail:
            return detail(target);
        case RequestKind::Poster:
            return poster(target);
        case RequestKind::Release:
            return SiteAnswer{200, "text/plain", std::string(releaseText)};
        case RequestKind::Other:
            break;
    }
    std::string_view path = targetPath(target);
    if (path == kIdentityPath) {
        return SiteAnswer{200, "text/plain", std::string(kSiteIdentity)};
    }
    if (path == "/stile.css") {
        return SiteAnswer{200, "text/css", std::string(kStyleSheet)};
    }
    if (path.starts_with("/img/") && path.ends_with(".gif")) {
        return SiteAnswer{200, "image/gif",
                          std::string(reinterpret_cast<const char*>(kBlankGif), sizeof kBlankGif)};
    }
    return errorAnswer(404);
}

// The x= and y= values are where the visitor clicked the form's image button: the page does not
// depend on them.
SiteAnswer SiteAnswers::listing(std::string_view target) const {
    std::optional<std::string> channelValue = queryValue(target, "channel");
    std::optional<std::string> dayValue = queryValue(target, "giorno2");
    const ChannelInfo* channel = channelValue ? channelByQueryValue(*channelValue) : nullptr;
    std::optional<Day> day = dayValue ? parseShortDay(*dayValue) : std::nullopt;
    if (channel == nullptr || !day) {
        return errorAnswer(404);
    }
    return page(listingPage(*cache_.listing(*channel, *day)));
}

SiteAnswer SiteAnswers::detail(std::string_view target) const {
    std::optional<std::string> code = queryValue(target, "codice");
    std::optional<FoundProgramme> found = code ? cache_.programme(*code) : std::nullopt;
    if (!found) {
        return errorAnswer(404);
    }
    return page(detailPage(*found->listing, *found->programme));
}

SiteAnswer SiteAnswers::poster(std::string_view target) const {
    std::string_view path = targetPath(target);
    std::string_view name = path.substr(kPosterFolder.size());
    if (!name.ends_with(".jpg")) {
        return errorAnswer(404);
    }
    std::optional<FoundProgramme> found = cache_.programme(name.substr(0, name.size() - 4));
    if (!found || !found->programme->poster) {
        return errorAnswer(404);
    }
    return SiteAnswer{200, "image/jpeg",
                      posters_[static_cast<std::size_t>(*found->programme->poster)]};
}

}  // namespace zelidor::samplesite

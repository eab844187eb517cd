#include "samplesite/site_address.h"

#include "samplesite/site_calendar.h"

namespace zelidor::samplesite {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string percentDecode(std::string_view text, bool plusIsBlank) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else if (c == '+' && plusIsBlank) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string_view targetPath(std::string_view target) {
    return target.substr(0, target.find('?'));
}

std::optional<std::string> queryValue(std::string_view target, std::string_view key) {
    std::size_t mark = target.find('?');
    if (mark == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view query = target.substr(mark + 1);
    while (!query.empty()) {
        std::size_t end = query.find('&');
        std::string_view pair = query.substr(0, end);
        std::size_t equals = pair.find('=');
        if (percentDecode(pair.substr(0, equals), true) == key) {
            return percentDecode(equals == std::string_view::npos ? "" : pair.substr(equals + 1),
                                 true);
        }
        query = end == std::string_view::npos ? std::string_view{} : query.substr(end + 1);
    }
    return std::nullopt;
}

RequestKind requestKind(std::string_view target) {
    std::string_view path = targetPath(target);
    if (path == kListingPath) {
        return RequestKind::Listing;
    }
    if (path == kDetailPath) {
        return RequestKind::Detail;
    }
    if (path.starts_with(kPosterFolder)) {
        return RequestKind::Poster;
    }
    if (path == kReleasePath) {
        return RequestKind::Release;
    }
    return RequestKind::Other;
}

const ChannelInfo* channelByQueryValue(std::string_view decodedValue) {
    for (const ChannelInfo& channel : builtinChannels()) {
        if (percentDecode(channel.value, true) == decodedValue) {
            return &channel;
        }
    }
    return nullptr;
}

std::string listingAddress(std::string_view host, const ChannelInfo& channel, const Day& day) {
    std::string slashed = shortDay(day);
    std::string giorno2 =
        slashed.substr(0, 2) + "%2F" + slashed.substr(3, 2) + "%2F" + slashed.substr(6, 2);
    return "http://" + std::string(host) + std::string(kListingPath) + "?giorno2=" + giorno2 +
           "&channel=" + std::string(channel.value) + "&x=" + std::to_string(channel.x) +
           "&y=" + std::to_string(channel.y);
}

}  // namespace zelidor::samplesite

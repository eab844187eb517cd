#include "xmltv/channel_id.h"

#include "common/text.h"

namespace zelidor {

std::string xmltvChannelId(std::string_view latin1Name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string id;
    for (char c : foldLatin1(latin1Name)) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')) {
            id += c;
        } else if (byte == ' ') {
            id += '-';
        } else {
            id += 'X';
            id += kHex[byte >> 4];
            id += kHex[byte & 0x0F];
        }
    }
    // The validators want at least one character before the dot.
    return (id.empty() ? std::string("X") : id) + ".zelidor";
}

}  // namespace zelidor

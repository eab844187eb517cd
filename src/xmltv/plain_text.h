// Listing texts as the listings wrote them (Latin-1 with HTML tags and entities: "pi&ugrave;",
// "<i>", "&nbsp;") turned into plain UTF-8 text for programs that show text as it stands.
#pragma once

#include <string>
#include <string_view>

namespace zelidor {

// Tags become blanks, entities their characters (unknown ones stay as written), control
// characters blanks; runs of blanks become one and both ends are trimmed. Characters XML cannot
// carry and the five bytes Windows-1252 leaves undefined are dropped.
std::string plainText(std::string_view latin1);

// The text with &, <, > and " written as XML entities.
std::string xmlEscaped(std::string_view utf8);

// The encoded bytes of one code point.
std::string utf8Of(char32_t codePoint);

}  // namespace zelidor

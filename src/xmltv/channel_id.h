// The XMLTV id of a channel, stable across exports and programs: the channel name in lower case
// with blanks as "-", every other character than a-z and 0-9 written as "X" and its two
// upper-case hex digits (Latin-1), then ".zelidor":
//   "Canale 5" -> "canale-5.zelidor", "Tele+ Bianco" -> "teleX2B-bianco.zelidor",
//   "VIVA - Rete A" -> "viva-X2D-rete-a.zelidor".
// Letters are lowered first because the program treats channel names without regard to case;
// upper-case letters appear only in escapes, so two different names never share an id.
#pragma once

#include <string>
#include <string_view>

namespace zelidor {

std::string xmltvChannelId(std::string_view latin1Name);

}  // namespace zelidor

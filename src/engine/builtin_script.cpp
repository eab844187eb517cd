#include "engine/builtin_script.h"

#include <iterator>

namespace zelidor {

namespace {

// Lines 3 to 127, unindented ({HOST} stands for the listings host). Line 91 ends in a blank;
// lines 107, 108 and 125 are four blanks.
constexpr std::string_view kBodyHead[] = {
    "#DOWNLOADINFO#",  // 3
    "#STARTREADWEB#",  // 4
    "#PUT#=1#09#",     // 5
    "#FINDLINE#=<!-- start DX main -->#12##ONERROR#=*ASK*",
    ":REPEATTABLE",                                 // 7
    "#FINDLINE#=</table>#12##ONERROR#=*ASK*",       // 8
    "#FIND#=</table>#12##ONERROR#=*ASK*",           // 9
    "#IF# #12#<>#09#",                              // 10
    "#GOTO#=REPEATTABLE",                           // 11
    "#ENDIF#",                                      // 12
    "#FINDLINE#=<tr bgcolor#12##ONERROR#=*ASK*",    // 13
    ":REPEATDOWN1",                                 // 14
    "#SETCURSOR#=01",                               // 15
    "#FIND#=>#01# #ONERROR#=*OK*",                  // 16
    "#COMPUTECURSOR#=+1",                           // 17
    "#FIND#=>#01# #ONERROR#=*OK*",                  // 18
    "#FIND#=<#02# #ONERROR#=*OK*",                  // 19
    "#TAKEWORD#=#03#,#01#,#02#",                    // 20
    "#TAKEHOUR#=#03#",                              // 21
    "#FINDLINE#=<td class=\"#12##ONERROR#=*STOP*",  // 22
    "#FIND#=<td class=#01# #ONERROR#=*OK*",         // 23
    "#FIND#=\"g-#01# #ONERROR#=*OK*",               // 24
    "#FIND#=-#01# #ONERROR#=*OK*",                  // 25
    "#FIND#=\"#02# #ONERROR#=*OK*",                 // 26
    "#TAKEWORD#=#03#,#01#,#02#",                    // 27
    "#TAKETYPE#=#03#",                              // 28
    "#FINDLINE#=<a href=\"javascript#12##ONERROR#=*STOP*",
    "#FIND#=>#01# #ONERROR#=*OK*",                  // 30
    "#FIND#=<#02# #ONERROR#=*OK*",                  // 31
    "#TAKEWORD#=#03#,#01#,#02#",                    // 32
    "#TAKETITLE#=#03#",                             // 33
    "#SETCURSOR#=1",                                // 34
    "#FIND#=programmi.phtml#01# #ONERROR#=*OK*",    // 35
    "#FIND#==#02# #ONERROR#=*OK*",                  // 36
    "#FIND#='#06# #ONERROR#=*OK*",                  // 37
    "#TAKEWORD#=#04#,#02#,#06#",                    // 38
    "#TAKECODE#=#04#",                              // 39
    "#SETCURSOR#=1",                                // 40
    "#FIND#=programmi.phtml#01# #ONERROR#=*OK*",    // 41
    "#COMPUTECURSOR#=+1",                           // 42
    "#FIND#='#02# #ONERROR#=*OK*",                  // 43
    "#TAKEWORD#=#03#,#01#,#02#",                    // 44
    "#STRING#=#50#=http://{HOST}/p#03#",            // 45
    "#TAKELINK#=#50#",                              // 46
    "#STARTGODEEP#",                                // 47
    "#OPENNEWWEB#=#50#",                            // 48
    "#FINDLINE#=statiche/media#12##ONERROR#=*OK*",  // 49
    "#IF# #12#==#09#",                              // 50
    "#SETCURSOR#=1",                                // 51
    "#FIND#=statiche/media#01# #ONERROR#=*OK*",     // 52
    "#FIND#=\"#02# #ONERROR#=*OK*",                 // 53
    "#TAKEWORD#=#03#,#01#,#02#",                    // 54
    "#STRING#=#18#=http://{HOST}/s#03#",            // 55
    "#TAKEPOSTER#=#18#",                            // 56
    "#ENDIF#",                                      // 57
    "#STARTREADWEB#",                               // 58
    "#FINDLINE#=<!--<br>#12##ONERROR#=*OK*",        // 59
    "#IF# #12#<>#09#",                              // 60
    "#GOTO#=ENDNEWWEB1",                            // 61
    "#ENDIF#",                                      // 62
    "#FINDLINE#=<b>#12##ONERROR#=*ASK*",            // 63
    "#IF# #12#==#09#",                              // 64
    "#READNEXTLINE#",                               // 65
    "#SETCURSOR#=1",                                // 66
    "#PUTCURSOR#=#01#",                             // 67
    "#FIND#=</td>#02# #ONERROR#=*OK*",              // 68
    "#TAKEWORD#=#03#,#01#,#02#",                    // 69
    "#TAKECOMMENTS#=#03#",                          // 70
    "#ENDIF#",                                      // 71
    ":ENDNEWWEB1",                                  // 72
    "#STARTREADWEB#",                               // 73
    "#FINDLINE#=<b>Film</b>#12##ONERROR#=*OK*",     // 74
    "#IF# #12#<>#09#",                              // 75
    "#GOTO#=ENDNEWWEB2",                            // 76
    "#ENDIF#",                                      // 77
    "#PUT#=0#30#",                                  // 78
    ":REPEATCAST1",                                 // 79
    "#READNEXTLINE#",                               // 80
    "#FIND#=</td>#01# #ONERROR#=*OK*",              // 81
    "#IF# #01#<>#30#",                              // 82
    "#PUT#=---------> #40#",                        // 83
    "#TAKECOMMENTS#=#40#",                          // 84
    "#TAKEWORD#=#03#,#30#,#01#",                    // 85
    "#CHECKVARIABLE#=#03#",                         // 86
    "#STARTDELETETAGS#",                            // 87
    "#STARTSUBSTITUTETAGS#",                        // 88
    "#TAKECOMMENTS#=#03#",                          // 89
    "#GOTO#=ENDNEWWEB2",                            // 90
    "#ENDIF# ",                                     // 91
    "#GOTO#=REPEATCAST1",                           // 92
    ":ENDNEWWEB2",                                  // 93
    "#RESTOREWEB#",                                 // 94
    "#ENDGODEEP#",                                  // 95
    "#READNEXTLINE#",                               // 96
    "#READNEXTLINE#",                               // 97
    "#ENDGODEEP#",                                  // 98
    "#SAVEDATA#",                                   // 99
    "#FIND#=</tr>#01# #ONERROR#=*OK*",              // 100
    "#IF# #01#==#09#",                              // 101
    "#GOTO#=ENDREPEATDOWN1",                        // 102
    "#ENDIF#",                                      // 103
    "#GOTO#=REPEATDOWN1",                           // 104
    ":ENDREPEATDOWN1",                              // 105
    "#ENDDOWNLOADINFO#",                            // 106
    "    ",                                         // 107
    "    ",                                         // 108
    "#DELETETAGS#",                                 // 109
    "#DELETEWORD#=&nbsp;",                          // 110
    "#DELETEWORD#=<BR>",                            // 111
    "#DELETEWORD#=</BR>",                           // 112
    "#DELETEWORD#=</br>",                           // 113
    "#DELETEWORD#=</P>",                            // 114
    "#DELETEWORD#=<B>",                             // 115
    "#DELETEWORD#=</B>",                            // 116
    "#DELETEWORD#=<i>",                             // 117
    "#DELETEWORD#=</i>",                            // 118
    "#DELETEWORD#=<b>",                             // 119
    "#DELETEWORD#=</b>",                            // 120
    "#DELETEWORD#=</font>",                         // 121
    "#DELETEWORD#=</A>",                            // 122
    "#DELETEWORD#=</BLOCKQUOTE>",                   // 123
    "#ENDDELETETAGS#",                              // 124
    "    ",                                         // 125
    "#SUBSTITUTETAGS#",                             // 126
    "#SUBSTITUTEWORD#=<br>= | ",                    // 127
};
static_assert(std::size(kBodyHead) == 125, "lines 3 to 127");

// Lines 223 to 229 (Latin-1: è à ò ù ì).
constexpr std::string_view kBodyTail[] = {
    "#SUBSTITUTEWORD#=&egrave;=\xE8",
    "#SUBSTITUTEWORD#=&Egrave;=E'",
    "#SUBSTITUTEWORD#=&agrave;=\xE0",
    "#SUBSTITUTEWORD#=&ograve;=\xF2",
    "#SUBSTITUTEWORD#=&ugrave;=\xF9",
    "#SUBSTITUTEWORD#=&igrave;=\xEC",
    "#ENDSUBSTITUTETAGS#",
};
static_assert(std::size(kBodyTail) == 7, "lines 223 to 229");

constexpr int kFirstCharacterEntry = 160;  // lines 128-222: &#160; to &#254;
constexpr int kLastCharacterEntry = 254;

// The body is indented in the program; indentation means nothing to the engine, but keeping it
// makes the lines exactly those of the program. Lines that are only blanks stay as they are.
std::string indented(std::string_view line) {
    if (line.find_first_not_of(' ') == std::string_view::npos) {
        return std::string(line);
    }
    return "    " + std::string(line);
}

std::string withHost(std::string_view line, std::string_view host) {
    std::string text(line);
    if (std::size_t at = text.find("{HOST}"); at != std::string::npos) {
        text.replace(at, 6, host);
    }
    return text;
}

// "&#N;=" followed by the character of code N; &#160; (no-break space) becomes a plain blank.
std::string characterEntry(int code) {
    char replacement = code == kFirstCharacterEntry ? ' ' : static_cast<char>(code);
    return "#SUBSTITUTEWORD#=&#" + std::to_string(code) + ";=" + replacement;
}

}  // namespace

std::string builtinWebQuery(const ChannelInfo& channel, std::string_view listingsHost) {
    return "#WEBQUERY#=http://" + std::string(listingsHost) + listingQueryTemplate(channel);
}

std::vector<std::string> commonScriptBody(std::string_view listingsHost) {
    std::vector<std::string> body;
    body.reserve(kCommonBodyLastLine - kCommonBodyFirstLine + 1);
    for (std::string_view line : kBodyHead) {
        body.push_back(indented(withHost(line, listingsHost)));
    }
    for (int code = kFirstCharacterEntry; code <= kLastCharacterEntry; ++code) {
        body.push_back(indented(characterEntry(code)));
    }
    for (std::string_view line : kBodyTail) {
        body.push_back(indented(line));
    }
    return body;
}

bool loadBuiltinScript(ScriptLines& lines, std::string_view scriptName,
                       std::string_view listingsHost) {
    const ChannelInfo* channel = findChannelByScriptName(scriptName);
    if (channel) {
        lines.set(1, builtinWebQuery(*channel, listingsHost));
    }
    int index = kCommonBodyFirstLine;
    for (std::string& line : commonScriptBody(listingsHost)) {
        lines.set(index++, std::move(line));
    }
    return channel != nullptr;
}

}  // namespace zelidor

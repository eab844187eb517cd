// One GET of a target on 127.0.0.1 with a read time-out, for watching exactly what the site
// sends when it misbehaves: how many bytes came, and whether the connection was closed or went
// quiet. Nothing is retried or decoded, and a body that breaks off is kept.
#pragma once

#include <chrono>
#include <string>

namespace zelidor::samplesite::test {

struct RawReply {
    bool connected = false;
    bool timedOut = false;    // the server went quiet for the whole time-out
    int status = 0;           // from the status line, 0 when none arrived
    long contentLength = -1;  // from the headers, -1 when absent
    std::string body;         // what arrived after the headers
    std::chrono::milliseconds elapsed{0};
};

RawReply rawGet(int port, const std::string& target,
                std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace zelidor::samplesite::test

#include "raw_http.h"

#include <httplib.h>

namespace zelidor::samplesite::test {

RawReply rawGet(int port, const std::string& target, std::chrono::milliseconds timeout) {
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(timeout);
    client.set_read_timeout(timeout);
    client.set_url_encode(false);
    client.set_keep_alive(false);
    client.set_decompress(false);
    RawReply reply;
    auto start = std::chrono::steady_clock::now();
    httplib::Result result = client.Get(
        target, {{"Accept-Encoding", "identity"}},
        [&](const httplib::Response& response) {
            reply.status = response.status;
            if (response.has_header("Content-Length")) {
                reply.contentLength = std::stol(response.get_header_value("Content-Length"));
            }
            return true;
        },
        [&](const char* data, std::size_t size) {
            reply.body.append(data, size);
            return true;
        });
    reply.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    reply.connected = result || result.error() != httplib::Error::Connection;
    reply.timedOut = !result && reply.elapsed >= timeout;
    return reply;
}

}  // namespace zelidor::samplesite::test

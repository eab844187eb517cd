#include "samplesite/fault_responses.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "common/text.h"
#include "samplesite/sample_random.h"
#include "samplesite/site_pages.h"

namespace zelidor::samplesite {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kFillerLine = 64;

bool writeSpan(httplib::DataSink& sink, const std::string& body, std::size_t from, std::size_t to) {
    std::size_t end = std::min(to, from + kChunk);
    return sink.write(body.data() + from, end - from);
}

void plain(httplib::Response& response, SiteAnswer answer) {
    response.status = answer.status;
    response.set_content(std::move(answer.body), answer.contentType);
}

// The start of the body, then a pause (or the end of the connection), then the rest.
void cutBody(httplib::Response& response, SiteAnswer answer, const Fault& fault, StopSignal& stop) {
    auto body = std::make_shared<std::string>(std::move(answer.body));
    std::size_t cut = std::min(fault.sendFirst.value_or(body->size() / 2), body->size());
    bool drop = fault.kind == FaultKind::CloseMidBody;
    std::chrono::milliseconds pause = fault.pause;
    response.status = answer.status;
    response.set_content_provider(
        body->size(), answer.contentType,
        [body, cut, drop, pause, &stop](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (offset < cut) {
                return writeSpan(sink, *body, offset, cut);
            }
            if (offset == cut && (drop || !stop.sleepFor(pause))) {
                return false;  // ends the response early: the server drops the connection
            }
            return writeSpan(sink, *body, offset, body->size());
        });
}

void garbage(httplib::Response& response, const SiteAnswer& answer, std::size_t size,
             std::string_view target) {
    std::uint64_t seed = std::hash<std::string_view>{}(target);
    response.status = 200;
    response.set_content_provider(
        size, answer.contentType,
        [seed, size](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            std::string chunk(std::min(kChunk, size - offset), '\0');
            for (std::size_t i = 0; i < chunk.size(); ++i) {
                chunk[i] = static_cast<char>(mixSeed(seed, offset + i) & 0xFF);
            }
            return sink.write(chunk.data(), chunk.size());
        });
}

void hugePage(httplib::Response& response, SiteAnswer answer, std::size_t fillerSize) {
    auto body = std::make_shared<std::string>(std::move(answer.body));
    response.status = answer.status;
    response.set_content_provider(
        fillerSize + body->size(), answer.contentType,
        [body, fillerSize](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (offset < fillerSize) {
                std::string filler = fillerBytes(offset, std::min(kChunk, fillerSize - offset));
                return sink.write(filler.data(), filler.size());
            }
            return writeSpan(sink, *body, offset - fillerSize, body->size());
        });
}

}  // namespace

std::string fillerBytes(std::size_t offset, std::size_t count) {
    std::string bytes;
    bytes.reserve(count + kFillerLine);
    std::size_t line = offset / kFillerLine;
    while (bytes.size() < count + offset % kFillerLine) {
        char text[2 * kFillerLine];
        std::snprintf(text, sizeof text, "<!-- riempitivo %010zu %s -->\n", line++,
                      "--------------------------------");
        bytes.append(text, kFillerLine);
    }
    return bytes.substr(offset % kFillerLine, count);
}

void writeResponse(httplib::Response& response, SiteAnswer answer,
                   const std::optional<Fault>& fault, StopSignal& stop, std::string_view target) {
    if (!fault) {
        plain(response, std::move(answer));
        return;
    }
    switch (fault->kind) {
        case FaultKind::Refuse:
            plain(response, errorAnswer(fault->status));
            return;
        case FaultKind::StallBefore:
            if (stop.sleepFor(fault->pause)) {
                plain(response, std::move(answer));
            }
            return;
        case FaultKind::StallMidBody:
        case FaultKind::CloseMidBody:
            cutBody(response, std::move(answer), *fault, stop);
            return;
        case FaultKind::Garbage:
            garbage(response, answer, fault->size, target);
            return;
        case FaultKind::HugePage:
            hugePage(response, std::move(answer), fault->size);
            return;
        case FaultKind::NoStartMarker:
            answer.body = replaceAll(answer.body, std::string(kStartMarker) + "\n", "");
            plain(response, std::move(answer));
            return;
    }
}

}  // namespace zelidor::samplesite

// Misbehaviour on request, for fault tests and benchmarks: which addresses misbehave and how.
// A FaultPlan is shared between the test that changes it and the server threads that read it.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace zelidor::samplesite {

enum class FaultKind {
    Refuse,         // answer with an error status instead of the page
    StallBefore,    // wait, then answer normally
    StallMidBody,   // send the start of the body, wait, send the rest
    CloseMidBody,   // send the start of the body, then drop the connection
    Garbage,        // status 200 with random bytes instead of the page
    HugePage,       // the page preceded by megabytes of filler lines, streamed
    NoStartMarker,  // the page without its "<!-- start DX main -->" line
};

struct Fault {
    FaultKind kind = FaultKind::Refuse;
    int status = 500;                      // Refuse
    std::chrono::milliseconds pause{0};    // StallBefore, StallMidBody
    std::optional<std::size_t> sendFirst;  // Mid-body faults: bytes sent first; half when unset
    std::size_t size = 0;                  // Garbage: bytes; HugePage: bytes of filler

    static Fault refuse(int status) { return {FaultKind::Refuse, status, {}, {}, 0}; }
    static Fault stallBefore(std::chrono::milliseconds pause) {
        return {FaultKind::StallBefore, 200, pause, {}, 0};
    }
    static Fault stallMidBody(std::chrono::milliseconds pause,
                              std::optional<std::size_t> sendFirst = {}) {
        return {FaultKind::StallMidBody, 200, pause, sendFirst, 0};
    }
    static Fault closeMidBody(std::optional<std::size_t> sendFirst = {}) {
        return {FaultKind::CloseMidBody, 200, {}, sendFirst, 0};
    }
    static Fault garbage(std::size_t bytes = 64 * 1024) {
        return {FaultKind::Garbage, 200, {}, {}, bytes};
    }
    static Fault hugePage(std::size_t megabytes) {
        return {FaultKind::HugePage, 200, {}, {}, megabytes * 1024 * 1024};
    }
    static Fault noStartMarker() { return {FaultKind::NoStartMarker, 200, {}, {}, 0}; }
};

// Which requests a fault applies to, tested against the target as sent (path and query,
// undecoded: "/canali.phtml?giorno2=05%2F12%2F02&channel=Canale+5&x=6&y=11").
class AddressPattern {
  public:
    static AddressPattern containing(std::string text);
    // ECMAScript syntax, searched anywhere in the target; throws std::regex_error when invalid.
    static AddressPattern matching(const std::string& regex);

    bool matches(std::string_view target) const;

  private:
    std::string text_;
    std::shared_ptr<const std::regex> regex_;
};

class FaultPlan {
  public:
    // A pause before every request is handled.
    void setLatency(std::chrono::milliseconds latency);
    std::chrono::milliseconds latency() const;

    // Rules are tried in the order they were added; the first whose pattern matches applies.
    void add(AddressPattern pattern, Fault fault);
    void clear();

    std::optional<Fault> faultFor(std::string_view target) const;

  private:
    mutable std::mutex mutex_;
    std::chrono::milliseconds latency_{0};
    std::vector<std::pair<AddressPattern, Fault>> rules_;
};

}  // namespace zelidor::samplesite

#include "samplesite/site_faults.h"

namespace zelidor::samplesite {

AddressPattern AddressPattern::containing(std::string text) {
    AddressPattern pattern;
    pattern.text_ = std::move(text);
    return pattern;
}

AddressPattern AddressPattern::matching(const std::string& regex) {
    AddressPattern pattern;
    pattern.regex_ = std::make_shared<const std::regex>(regex, std::regex::ECMAScript);
    return pattern;
}

bool AddressPattern::matches(std::string_view target) const {
    if (regex_) {
        return std::regex_search(target.begin(), target.end(), *regex_);
    }
    return target.find(text_) != std::string_view::npos;
}

void FaultPlan::setLatency(std::chrono::milliseconds latency) {
    std::lock_guard lock(mutex_);
    latency_ = latency;
}

std::chrono::milliseconds FaultPlan::latency() const {
    std::lock_guard lock(mutex_);
    return latency_;
}

void FaultPlan::add(AddressPattern pattern, Fault fault) {
    std::lock_guard lock(mutex_);
    rules_.emplace_back(std::move(pattern), fault);
}

void FaultPlan::clear() {
    std::lock_guard lock(mutex_);
    rules_.clear();
}

std::optional<Fault> FaultPlan::faultFor(std::string_view target) const {
    std::lock_guard lock(mutex_);
    for (const auto& [pattern, fault] : rules_) {
        if (pattern.matches(target)) {
            return fault;
        }
    }
    return std::nullopt;
}

}  // namespace zelidor::samplesite

#include "samplesite/sample_schedule.h"

#include <array>
#include <cstdio>

namespace zelidor::samplesite {

namespace {

struct Weighted {
    std::string_view type;
    int weight;
};

constexpr Weighted kGeneralMix[] = {
    {"Telefilm", 16}, {"Film", 12},    {"Film TV", 5},      {"Notiziario", 10}, {"Spettacolo", 10},
    {"Rubrica", 8},   {"Magazine", 7}, {"Informazione", 8}, {"documentari", 6}, {"Cartoni", 6},
    {"Sport", 5},     {"Musica", 4},   {"Soap Opera", 3}};
constexpr Weighted kCinemaMix[] = {{"Film", 62},    {"Film TV", 10},    {"Rubrica", 8},
                                   {"Magazine", 8}, {"documentari", 6}, {"Telefilm", 6}};
constexpr Weighted kSportMix[] = {
    {"Sport", 72}, {"Notiziario", 8}, {"Rubrica", 8}, {"Magazine", 7}, {"Informazione", 5}};
constexpr Weighted kChildrenMix[] = {
    {"Cartoni", 70}, {"Telefilm", 10}, {"Film", 8}, {"Spettacolo", 7}, {"Musica", 5}};
constexpr Weighted kNewsMix[] = {
    {"Notiziario", 45}, {"Informazione", 30}, {"Rubrica", 10}, {"Magazine", 8}, {"documentari", 7}};
constexpr Weighted kMusicMix[] = {
    {"Musica", 65}, {"Spettacolo", 10}, {"Magazine", 10}, {"Telefilm", 10}, {"Notiziario", 5}};
constexpr Weighted kDocumentaryMix[] = {{"documentari", 65},
                                        {"Rubrica", 10},
                                        {"Magazine", 10},
                                        {"Informazione", 10},
                                        {"Notiziario", 5}};

std::span<const Weighted> mixOf(ChannelTheme theme) {
    switch (theme) {
        case ChannelTheme::Cinema:
            return kCinemaMix;
        case ChannelTheme::Sport:
            return kSportMix;
        case ChannelTheme::Children:
            return kChildrenMix;
        case ChannelTheme::News:
            return kNewsMix;
        case ChannelTheme::Music:
            return kMusicMix;
        case ChannelTheme::Documentary:
            return kDocumentaryMix;
        case ChannelTheme::General:
            break;
    }
    return kGeneralMix;
}

// Typical length in minutes, the share of the day a programme of this type takes.
int typicalMinutes(std::string_view type) {
    if (type == "Film") {
        return 110;
    }
    if (type == "Film TV" || type == "Sport" || type == "Spettacolo") {
        return 90;
    }
    if (type == "Telefilm" || type == "documentari" || type == "Informazione") {
        return 50;
    }
    if (type == "Notiziario" || type == "Cartoni") {
        return 20;
    }
    return 35;
}

constexpr int kSlot = 5;  // listings give start times on five-minute steps

std::string hourText(int minuteOfDay) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60 % 24, minuteOfDay % 60);
    return text;
}

}  // namespace

ChannelTheme channelTheme(const ChannelInfo& channel) {
    std::string_view name = channel.name;
    if (name == "24Ore") {
        return ChannelTheme::News;
    }
    if (name == "MTV Italia" || name == "MTChannel" || name == "RaiSat Album") {
        return ChannelTheme::Music;
    }
    if (name == "Discovery Channel" || name == "National Geographic Channel" || name == "Planete" ||
        name == "MarcoPolo" || name == "Leonardo") {
        return ChannelTheme::Documentary;
    }
    switch (channel.category) {
        case ChannelCategory::Cinema:
            return ChannelTheme::Cinema;
        case ChannelCategory::Sport:
            return ChannelTheme::Sport;
        case ChannelCategory::Children:
            return ChannelTheme::Children;
        case ChannelCategory::Satellite:
        case ChannelCategory::Television:
            break;
    }
    return ChannelTheme::General;
}

int drawProgrammeCount(ChannelTheme theme, SampleRandom& random) {
    switch (theme) {
        case ChannelTheme::Cinema:
            return random.between(25, 32);
        case ChannelTheme::Sport:
            return random.between(25, 34);
        case ChannelTheme::Documentary:
            return random.between(28, 38);
        case ChannelTheme::Children:
        case ChannelTheme::News:
        case ChannelTheme::Music:
            return random.between(34, 45);
        case ChannelTheme::General:
            break;
    }
    return random.between(28, 42);
}

std::string_view drawProgrammeType(ChannelTheme theme, SampleRandom& random) {
    std::span<const Weighted> mix = mixOf(theme);
    int total = 0;
    for (const Weighted& entry : mix) {
        total += entry.weight;
    }
    int draw = random.below(total);
    for (const Weighted& entry : mix) {
        if (draw < entry.weight) {
            return entry.type;
        }
        draw -= entry.weight;
    }
    return mix.front().type;
}

std::vector<std::string> startHours(std::span<const std::string_view> types, SampleRandom& random) {
    if (types.empty()) {
        return {};
    }
    constexpr std::array<int, 5> kOpenings = {-30, -15, 0, 0, 15};
    int first = 6 * 60 + kOpenings[static_cast<std::size_t>(random.below(kOpenings.size()))];
    int last = 24 * 60 + random.between(4, 24) * kSlot;  // 00:20 .. 02:00 the next morning

    // Every gap gets one slot, the remaining slots go out in proportion to the typical lengths.
    std::size_t gaps = types.size() - 1;
    std::vector<int> weights(gaps);
    int weightSum = 0;
    for (std::size_t i = 0; i < gaps; ++i) {
        weights[i] = typicalMinutes(types[i]) * random.between(70, 130);
        weightSum += weights[i];
    }
    int spareSlots = (last - first) / kSlot - static_cast<int>(gaps);
    std::vector<std::string> hours;
    hours.reserve(types.size());
    int start = first;
    int handedOut = 0;
    for (std::size_t i = 0; i < gaps; ++i) {
        hours.push_back(hourText(start));
        int extra = static_cast<int>(static_cast<long long>(spareSlots) * weights[i] / weightSum);
        handedOut += extra;
        start += (1 + extra) * kSlot;
    }
    // Rounding down left a few slots over: they lengthen the evening's last programme.
    start += (spareSlots - handedOut) * kSlot;
    hours.push_back(hourText(start));
    return hours;
}

}  // namespace zelidor::samplesite

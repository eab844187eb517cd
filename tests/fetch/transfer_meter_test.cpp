#include "engine/fetch/transfer_meter.h"

#include <gtest/gtest.h>

namespace zelidor {
namespace {

using namespace std::chrono_literals;

TEST(TransferMeter, ByteTextsAreThousandsRoundedHalfToEven) {
    struct Case {
        std::size_t bytes;
        const char* text;
    };
    for (Case c : {Case{0, "0 KBytes"}, Case{499, "0 KBytes"}, Case{500, "0 KBytes"},
                   Case{600, "1 KBytes"}, Case{1500, "2 KBytes"}, Case{2500, "2 KBytes"},
                   Case{2501, "3 KBytes"}, Case{5'000'000'000, "5000000 KBytes"}}) {
        TransferMeter meter;
        meter.startSession();
        meter.startPage();
        meter.addBytes(c.bytes);
        EXPECT_EQ(meter.pageText(), c.text) << c.bytes;
        EXPECT_EQ(meter.sessionText(), c.text) << c.bytes;
    }
}

TEST(TransferMeter, APageStartsFromZeroWhileTheSessionGoesOn) {
    TransferMeter meter;
    meter.startSession();
    meter.startPage();
    meter.addBytes(600);
    meter.startPage();
    meter.addBytes(1000);
    EXPECT_EQ(meter.pageBytes(), 1000u);
    EXPECT_EQ(meter.sessionBytes(), 1600u);
    meter.startSession();
    EXPECT_EQ(meter.sessionBytes(), 0u);
    EXPECT_EQ(meter.pageBytes(), 1000u);
}

TEST(TransferMeter, SpeedIsKilobytesPerWholeSecondWithTwoDecimalsAndNoLeadingZero) {
    const auto start = TransferMeter::Clock::time_point{} + 1000s;
    struct Case {
        std::size_t bytes;
        std::chrono::milliseconds elapsed;
        const char* text;
    };
    for (Case c : {Case{500, 1000ms, ".50 KByte/Sec"}, Case{0, 5000ms, ".00 KByte/Sec"},
                   Case{12'345, 1000ms, "12.35 KByte/Sec"}, Case{12'344, 1000ms, "12.34 KByte/Sec"},
                   Case{1'234'500, 1000ms, "1234.50 KByte/Sec"},
                   Case{123'456'780, 1000ms, "123456.78 KByte/Sec"},
                   // 2.9 s count as 2 whole seconds
                   Case{5000, 2900ms, "2.50 KByte/Sec"}, Case{7, 3000ms, ".00 KByte/Sec"}}) {
        TransferMeter meter;
        meter.startSession(start);
        meter.addBytes(c.bytes);
        EXPECT_EQ(meter.speedText(start + c.elapsed), c.text) << c.bytes << " in " << c.elapsed;
    }
}

TEST(TransferMeter, NoSpeedDuringTheFirstSecond) {
    const auto start = TransferMeter::Clock::time_point{} + 1000s;
    TransferMeter meter;
    meter.startSession(start);
    meter.addBytes(100'000);
    EXPECT_EQ(meter.speedText(start), std::nullopt);
    EXPECT_EQ(meter.speedText(start + 999ms), std::nullopt);
    EXPECT_EQ(meter.speedText(start - 5s), std::nullopt);  // a clock read before the start
    EXPECT_EQ(meter.speedText(start + 1s), "100.00 KByte/Sec");
}

}  // namespace
}  // namespace zelidor

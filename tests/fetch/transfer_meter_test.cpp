#include "engine/fetch/transfer_meter.h"

#include <gtest/gtest.h>

namespace zelidor {
namespace {

using namespace std::chrono_literals;

const auto kStart = TransferMeter::Clock::time_point{} + 1000s;

TEST(TransferMeter, ByteTextsAreThousandsRoundedHalfToEvenAndPagesRestartFromZero) {
    for (auto [bytes, text] : {std::pair<std::size_t, const char*>{499, "0 KBytes"},
                               {500, "0 KBytes"},
                               {600, "1 KBytes"},
                               {1500, "2 KBytes"},
                               {2500, "2 KBytes"},
                               {2501, "3 KBytes"},
                               {5'000'000'000, "5000000 KBytes"}}) {
        TransferMeter meter;
        meter.addBytes(bytes);
        EXPECT_EQ(meter.pageText(), text) << bytes;
    }
    TransferMeter meter;
    meter.addBytes(600);
    meter.startPage();
    meter.addBytes(1000);
    EXPECT_EQ(meter.pageText(), "1 KBytes");
    EXPECT_EQ(meter.sessionText(), "2 KBytes");
    meter.startSession();
    EXPECT_EQ(meter.sessionBytes(), 0u);
}

TEST(TransferMeter, SpeedIsKilobytesPerWholeSecondWithTwoDecimalsAndNoLeadingZero) {
    struct Case {
        std::size_t bytes;
        std::chrono::milliseconds elapsed;
        const char* text;
    };
    for (Case c : {Case{500, 1000ms, ".50 KByte/Sec"}, Case{7, 3000ms, ".00 KByte/Sec"},
                   Case{12'345, 1000ms, "12.35 KByte/Sec"}, Case{12'344, 1000ms, "12.34 KByte/Sec"},
                   Case{1'234'500, 1000ms, "1234.50 KByte/Sec"},
                   Case{123'456'780, 1000ms, "123456.78 KByte/Sec"},
                   Case{5000, 2900ms, "2.50 KByte/Sec"}}) {  // 2.9 s are 2 whole seconds
        TransferMeter meter;
        meter.startSession(kStart);
        meter.addBytes(c.bytes);
        EXPECT_EQ(meter.speedText(kStart + c.elapsed), c.text) << c.bytes << " in " << c.elapsed;
    }
}

TEST(TransferMeter, NoSpeedDuringTheFirstSecond) {
    TransferMeter meter;
    meter.startSession(kStart);
    meter.addBytes(100'000);
    EXPECT_EQ(meter.speedText(kStart + 999ms), std::nullopt);
    EXPECT_EQ(meter.speedText(kStart - 5s), std::nullopt);  // a clock read before the start
    EXPECT_EQ(meter.speedText(kStart + 1s), "100.00 KByte/Sec");
}

}  // namespace
}  // namespace zelidor

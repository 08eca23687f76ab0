#include <gtest/gtest.h>

#include "common/log_line.h"

namespace ow {
namespace {

TEST(LogLineTest, DateTimeAndMessage) {
    EXPECT_EQ(FormatLogLine({"07.12.2026", "16:49:46", 16, 49, 46}, "PE_INITIALIZE received"),
              "[07.12.2026 16:49:46] PE_INITIALIZE received\r\n");
}

TEST(LogLineTest, MidnightLeavesTheTimeOut) {
    EXPECT_EQ(FormatLogLine({"08.12.2026", "0:00:00", 0, 0, 0}, "x"), "[08.12.2026] x\r\n");
    EXPECT_EQ(FormatLogLine({"08.12.2026", "0:00:01", 0, 0, 1}, "x"), "[08.12.2026 0:00:01] x\r\n");
}

TEST(LogLineTest, EmptyMessageEndsWithTheBlank) {
    EXPECT_EQ(FormatLogLine({"d", "t", 1, 0, 0}, ""), "[d t] \r\n");
}

}  // namespace
}  // namespace ow

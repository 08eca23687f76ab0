#include <gtest/gtest.h>

#include "display/core/chat_text.h"

namespace ow {
namespace {

struct ChatCase {
    const char* current;
    const char* line;
    const char* combined;
};

class ChatTextTest : public ::testing::TestWithParam<ChatCase> {};

TEST_P(ChatTextTest, TrimmedTextOneSpaceTrimmedLine) {
    EXPECT_EQ(CombineChatText(GetParam().current, GetParam().line), GetParam().combined);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChatTextTest,
                         ::testing::Values(ChatCase{"", "Town. +5", " Town. +5"},
                                           ChatCase{"  hello\r\n", "Town. +5 ", "hello Town. +5"},
                                           ChatCase{"   ", "x", " x"},
                                           ChatCase{"typed", "", "typed "},
                                           ChatCase{"a\tb", "\xC8\xF0\xEA", "a\tb \xC8\xF0\xEA"}));

}  // namespace
}  // namespace ow

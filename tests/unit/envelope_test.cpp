#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/envelope.h"
#include "host/core/host_messages.h"

namespace ow {
namespace {

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

TEST(PackTest, IntsAreLittleEndianTwosComplement) {
    EXPECT_EQ(Hex(PackInt(-1)), "FF FF FF FF");
    EXPECT_EQ(Hex(PackInt(201)), "C9 00 00 00");
    EXPECT_EQ(Hex(PackInt(0x12345678)), "78 56 34 12");
}

TEST(PackTest, StringsAreCountedWithoutTerminator) {
    EXPECT_EQ(Hex(PackString("abc")), "03 00 00 00 61 62 63");
    EXPECT_EQ(Hex(PackString("")), "00 00 00 00");
    EXPECT_EQ(PackString(std::string("\xC0\x00\xFF", 3)).size(), 7u);
}

TEST(EnvelopeBufferTest, WorkedLayouts) {
    EnvelopeBuffer buffer;
    buffer.Pack(QueryCmdBody());
    EXPECT_EQ(Hex(buffer.bytes()), "02 00 00 00 01 0E");

    buffer.Pack(ReplyBody("Gismeteo Plugin off"));
    ASSERT_EQ(buffer.bytes().size(), 32u);
    EXPECT_EQ(Hex(buffer.bytes().substr(0, 9)), "1C 00 00 00 02 13 00 00 00");
    EXPECT_EQ(buffer.bytes().substr(9, 19), "Gismeteo Plugin off");
    EXPECT_EQ(Hex(buffer.bytes().substr(28)), "04 00 00 00");

    const char* reply = buffer.Pack(ReplyBody(PluginName()));
    ASSERT_EQ(buffer.bytes().size(), 37u);
    EXPECT_EQ(reply, buffer.bytes().data());
    EXPECT_EQ(Hex(buffer.bytes().substr(0, 9)), "21 00 00 00 02 18 00 00 00");
    EXPECT_EQ(buffer.bytes().substr(9, 24), "Weather Plugin ver.1.2.6");
    EXPECT_EQ(Hex(buffer.bytes().substr(33)), "04 00 00 00");
}

TEST(EnvelopeBufferTest, NextPackReplacesThePreviousEnvelope) {
    EnvelopeBuffer buffer;
    buffer.Pack(AddIconBody(1, 2, "hint"));
    buffer.Pack(Query11Body());
    EXPECT_EQ(Hex(buffer.bytes()), "02 00 00 00 01 0B");
}

TEST(HostMessagesTest, CommandBodies) {
    EXPECT_EQ(Hex(QueryWindowBody()), "01 0F 02");
    EXPECT_EQ(Hex(RemoveIconBody(7)), "05 CB 07 00 00 00");
    EXPECT_EQ(Hex(AddIconBody(0x10, 0x20, "h")), "05 C9 10 00 00 00 20 00 00 00 01 00 00 00 68");
    EXPECT_EQ(Hex(SendMessageBody(-1, "")), "05 01 FF FF FF FF 00 00 00 00 00 00 00 00");
}

TEST(EnvelopeReaderTest, ReadsOnlyInsideTheLengthField) {
    const unsigned char envelope[] = {3, 0, 0, 0, 3, 1, 0xAA, 0xBB, 0xCC, 0xDD};
    const auto r = EnvelopeReader::FromHost(envelope);
    ASSERT_TRUE(r.valid());
    EXPECT_EQ(r.ByteAt(4), 3);
    EXPECT_EQ(r.ByteAt(6), 0xAA);
    EXPECT_FALSE(r.ByteAt(7).has_value());  // beyond the 3-byte body
    EXPECT_FALSE(r.IntAt(6).has_value());
    EXPECT_FALSE(r.ByteAt(3).has_value());  // the length field is not a field
}

TEST(EnvelopeReaderTest, IntsAtUnalignedOffsets) {
    const unsigned char envelope[] = {6, 0, 0, 0, 2, 0x70, 0x11, 0x01, 0x00, 0x99};
    const auto r = EnvelopeReader::FromHost(envelope);
    EXPECT_EQ(r.IntAt(5), 70000);
}

TEST(EnvelopeReaderTest, NullNegativeAndOversizedEnvelopes) {
    EXPECT_FALSE(EnvelopeReader::FromHost(nullptr).valid());
    const unsigned char negative[] = {0xFF, 0xFF, 0xFF, 0xFF, 3};
    EXPECT_FALSE(EnvelopeReader::FromHost(negative).valid());
}

}  // namespace
}  // namespace ow

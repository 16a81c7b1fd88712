// Every data form a backup holds, decoded back into a registry type and its bytes.
#include <gtest/gtest.h>

#include "repair/ValueDecoding.h"

namespace repair {
namespace {

std::vector<platform::BYTE> Bytes(std::string_view text) {
    std::vector<platform::BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

DecodedValue Decode(std::string_view text) {
    std::string error;
    auto value = DecodeData(text, &error);
    EXPECT_TRUE(value) << text << ": " << error;
    return value.value_or(DecodedValue{});
}

TEST(DecodeData, StringKeepsLetterCaseAndUndoesEscapes) {
    DecodedValue value = Decode(R"("C:\\Old\\Tool.EXE")");
    EXPECT_EQ(value.type, platform::REG_SZ);
    EXPECT_EQ(value.bytes, Bytes(R"(C:\Old\Tool.EXE)"));
    EXPECT_EQ(value.bytes.size(), 16u);
    EXPECT_EQ(Decode(R"("say \"Hi\"\r\n")").bytes, Bytes("say \"Hi\"\r\n"));
    EXPECT_EQ(Decode(R"("")").bytes, Bytes(""));
    // White space inside the quotes is data.
    EXPECT_EQ(Decode(R"("  padded  ")").bytes, Bytes("  padded  "));
}

TEST(DecodeData, LongStringsAreNotCut) {
    const std::string text(1200, 'x');
    DecodedValue value = Decode("\"" + text + "\"");
    EXPECT_EQ(value.bytes.size(), 1201u);
}

TEST(DecodeData, ExpandStringFromDecimalBytes) {
    DecodedValue value = Decode("hex(2):97,00,98,00,00,00");
    EXPECT_EQ(value.type, platform::REG_EXPAND_SZ);
    EXPECT_EQ(value.bytes, Bytes("ab"));
    EXPECT_EQ(Decode("hex(2):00,00").bytes, Bytes(""));
    // %SystemRoot% as the text form writes it.
    std::string list = "hex(2):";
    for (char c : std::string("%SystemRoot%"))
        list += std::to_string(static_cast<unsigned char>(c)) + ",00,";
    list += "00,00";
    EXPECT_EQ(Decode(list).bytes, Bytes("%SystemRoot%"));
    EXPECT_EQ(Decode("HEX(2):255,00,00,00").bytes, (std::vector<platform::BYTE>{255, 0}));
}

TEST(DecodeData, DwordInEitherLetterCase) {
    for (const char* text : {"dword:0000000a", "dword:0000000A", "DWORD:0000000a"}) {
        DecodedValue value = Decode(text);
        EXPECT_EQ(value.type, platform::REG_DWORD) << text;
        EXPECT_EQ(value.bytes, (std::vector<platform::BYTE>{10, 0, 0, 0})) << text;
    }
    EXPECT_EQ(Decode("dword:12345678").bytes,
              (std::vector<platform::BYTE>{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(Decode("dword:FFFFFFFF").bytes, (std::vector<platform::BYTE>{255, 255, 255, 255}));
}

TEST(DecodeData, DamagedTextsAreRefusedWithAReason) {
    for (const char* text : {"dword:", "dword:123456789", "dword:0000000g", "hex(2):97,00,98",
                             "hex(2):", "hex(2):300,00,00,00", "hex(2):9a,00,00,00",
                             "hex(2):97,,00,00", "hex:01,02", "\"unclosed", "plain text", ""}) {
        std::string error;
        EXPECT_FALSE(DecodeData(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

}  // namespace
}  // namespace repair

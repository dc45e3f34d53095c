// Message names: known numbers by their table entry, the user range and the rest by their
// fallback texts; the table's four groups of unique numbers.
#include "components/MessageNames.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

TEST(MessageNames, NamesKnownMessagesAndFallsBackForTheRest)
{
    const std::pair<int32_t, const char*> cases[] = {
        {15, "wm_Paint"}, {0, "wm_Null"}, {0xB014, "CM_MOUSELEAVE"}, {0xBC4E, "CN_NOTIFY"},
        {0xBC00 + 0x111, "CN_COMMAND"}, {0x20A, "wm_MouseLast/Wheel"}, {0x10F, "wm_IME_Composition/KeyLast"},
        {0x1123, "Unknown (TVM-$1123)"}, {0x1132, "TVM_INSERTITEMW"}, {0x17, "wm_SystemError"},
        {0x318, "wm_PrintClient"}, {1024, "wm_User message (1024)"}, {32767, "wm_User message (32767)"},
        {32768, "Undocumented (32768)"}, {-1, "Undocumented (-1)"}, {4, "Undocumented (4)"},
        {INT32_MIN, "Undocumented (-2147483648)"}};
    for (const auto& [msg, name] : cases)
        EXPECT_EQ(GetMessageName(msg), name);
}

TEST(MessageNames, TableHoldsFourGroupsOfUniqueNumbers)
{
    ASSERT_EQ(MessageNameCount(), 318);
    const TMessageName* table = MessageNames();
    std::set<int32_t> numbers;
    std::set<std::string> names;
    for (int32_t i = 0; i < MessageNameCount(); ++i) {
        EXPECT_TRUE(numbers.insert(table[i].Msg).second) << table[i].Name;
        EXPECT_TRUE(names.insert(table[i].Name).second) << table[i].Name;
        EXPECT_EQ(GetMessageName(table[i].Msg), table[i].Name);
    }
    // 183 window messages, then 68 control messages numbered on from 0xB000, 24 control
    // notifications, each 0xBC00 plus the window message of the same base name, and 43
    // tree-view messages.
    for (int32_t i = 0; i < 68; ++i)
        EXPECT_EQ(std::string(table[183 + i].Name).rfind("CM_", 0) == 0 ? table[183 + i].Msg : -1, 0xB000 + i) << i;
    for (int32_t i = 251; i < 275; ++i) {
        const std::string name = table[i].Name;
        ASSERT_EQ(name.rfind("CN_", 0), 0u);
        int32_t windowMessage = -1;
        for (int32_t w = 0; w < 183; ++w) {
            std::string base = std::string(table[w].Name).substr(3);
            for (char& c : base)
                c = char(std::toupper(static_cast<unsigned char>(c)));
            if (base == name.substr(3))
                windowMessage = table[w].Msg;
        }
        EXPECT_EQ(table[i].Msg, 0xBC00 + windowMessage) << name;
    }
    for (int32_t i = 275; i < 318; ++i)
        EXPECT_NE(std::string(table[i].Name).find("TVM"), std::string::npos) << i;
}

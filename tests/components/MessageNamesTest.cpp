// Message names: known numbers by their table entry, the user range and the rest by their
// fallback texts; the table's unique numbers and names.
#include "components/MessageNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(MessageNames, NamesKnownMessagesByTheirUniqueEntriesAndFallsBackForTheRest)
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
    // The table: unique numbers and names, each found by its number.
    ASSERT_EQ(MessageNameCount(), 318);
    const TMessageName* table = MessageNames();
    std::set<int32_t> numbers;
    std::set<std::string> names;
    for (int32_t i = 0; i < MessageNameCount(); ++i) {
        EXPECT_TRUE(numbers.insert(table[i].Msg).second) << table[i].Name;
        EXPECT_TRUE(names.insert(table[i].Name).second) << table[i].Name;
        EXPECT_EQ(GetMessageName(table[i].Msg), table[i].Name);
    }
    // 183 window messages, then the control messages numbered on from 0xB000.
    for (int32_t i = 0; i < 68; ++i)
        EXPECT_EQ(std::string(table[183 + i].Name).rfind("CM_", 0) == 0 ? table[183 + i].Msg : -1, 0xB000 + i) << i;
}

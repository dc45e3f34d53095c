// Message names: known numbers by their table entry, the user range and the rest by
// their fallback texts; the table's groups, sizes and unique numbers.
#include "components/MessageNames.h"

#include <gtest/gtest.h>

#include <cctype>

#include <set>
#include <string>

TEST(MessageNames, NamesKnownMessagesAndFallsBackForTheRest)
{
    EXPECT_EQ(GetMessageName(15), "wm_Paint");
    EXPECT_EQ(GetMessageName(0), "wm_Null");
    EXPECT_EQ(GetMessageName(0xB014), "CM_MOUSELEAVE");
    EXPECT_EQ(GetMessageName(0xBC4E), "CN_NOTIFY");
    EXPECT_EQ(GetMessageName(0xBC00 + 0x111), "CN_COMMAND");
    EXPECT_EQ(GetMessageName(0x20A), "wm_MouseLast/Wheel");
    EXPECT_EQ(GetMessageName(0x10F), "wm_IME_Composition/KeyLast");
    EXPECT_EQ(GetMessageName(0x1123), "Unknown (TVM-$1123)");
    EXPECT_EQ(GetMessageName(0x1132), "TVM_INSERTITEMW");
    EXPECT_EQ(GetMessageName(0x17), "wm_SystemError");
    EXPECT_EQ(GetMessageName(0x318), "wm_PrintClient");
    EXPECT_EQ(GetMessageName(1024), "wm_User message (1024)");
    EXPECT_EQ(GetMessageName(32767), "wm_User message (32767)");
    EXPECT_EQ(GetMessageName(32768), "Undocumented (32768)");
    EXPECT_EQ(GetMessageName(-1), "Undocumented (-1)");
    EXPECT_EQ(GetMessageName(4), "Undocumented (4)");
    EXPECT_EQ(GetMessageName(INT32_MIN), "Undocumented (-2147483648)");
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
    // notifications and 43 tree-view messages.
    EXPECT_EQ(std::string(table[182].Name), "wm_PrintClient");
    for (int32_t i = 0; i < 68; ++i) {
        EXPECT_EQ(table[183 + i].Msg, 0xB000 + i);
        EXPECT_EQ(std::string(table[183 + i].Name).rfind("CM_", 0), 0u);
    }
    EXPECT_EQ(std::string(table[183 + 67].Name), "CM_MOUSEWHEEL");
    // Each notification is 0xBC00 plus the window message of the same base name.
    auto upper = [](std::string text) {
        for (char& c : text)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        return text;
    };
    for (int32_t i = 251; i < 275; ++i) {
        const std::string name = table[i].Name;
        ASSERT_EQ(name.rfind("CN_", 0), 0u);
        int32_t windowMessage = -1;
        for (int32_t w = 0; w < 183; ++w)
            if (upper(std::string(table[w].Name).substr(3)) == name.substr(3))
                windowMessage = table[w].Msg;
        EXPECT_EQ(table[i].Msg, 0xBC00 + windowMessage) << name;
    }
    EXPECT_EQ(std::string(table[275].Name), "TVM_INSERTITEMA");
    EXPECT_EQ(table[275].Msg, 0x1100);
    EXPECT_EQ(std::string(table[317].Name), "TVM_GETINSERTMARKCOLOR");
    EXPECT_EQ(table[317].Msg, 0x1126);
}

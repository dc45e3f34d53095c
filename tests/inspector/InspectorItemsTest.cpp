// The inspector's item classes: found by name, their value texts, ranges and bounds.
#include "inspector/rmInspectorItems.h"

#include "ExpectMessage.h"
#include "platform/DateText.h"

#include <gtest/gtest.h>

TEST(InspectorItemClasses, FoundByNameAndAnsweredByFirstListedAncestor)
{
    for (const TrmInspectorItemClass* itemClass : RegisteredInspectorItemClasses()) {
        ASSERT_EQ(FindInspectorItemClass(itemClass->Name), itemClass);
        const auto item = itemClass->Create();
        EXPECT_EQ(item->ClassName(), itemClass->Name);
        EXPECT_EQ(&item->ItemClass(), itemClass);
    }
    EXPECT_EQ(RegisteredInspectorItemClasses().size(), 11u);
    EXPECT_EQ(FindInspectorItemClass("TrmCustomInspectorItem"), nullptr);
    EXPECT_EQ(FindInspectorItemClass("trmstringinspectoritem"), nullptr);
    EXPECT_EQ(&TrmSafeIntegerInspectorItem().GetItemClass(), &TrmIntegerInspectorItem::Class);
    EXPECT_EQ(&TrmComboInspectorItemEx().GetItemClass(), &TrmComboInspectorItem::Class);
    EXPECT_EQ(&TrmCheckBoxExInspectorItem().GetItemClass(), &TrmCheckBoxExInspectorItem::Class);
    EXPECT_FALSE(TrmComplexInspectorItem().Editabled() || TrmNodeInspectorItem().Editabled());
    EXPECT_TRUE(TrmStringInspectorItem().Editabled());
}

TEST(IntegerInspectorItem, RangeIsCheckedOnlyWithUseRangeAndBoundsStayOrdered)
{
    TrmIntegerInspectorItem item;
    item.SetAsString("2"); // the range 0..1 is not checked yet
    EXPECT_EQ(item.Value(), 2);
    item.SetUseRange(true);
    ExpectThrowWithMessage<Exception>([&] { item.SetAsString("-1"); }, "Value must be between 0 and 1");
    ExpectThrowWithMessage<Exception>([&] { item.SetValue(5); }, "Value must be between 0 and 1");
    EXPECT_THROW(item.SetAsString("abc"), EConvertError);
    EXPECT_EQ(item.AsString(), "2");
    item.SetAsString(" 1");
    EXPECT_EQ(item.Value(), 1);
    item.SetUseRange(false);
    item.SetMaxValue(0); // not above MinValue
    EXPECT_EQ(item.MaxValue(), 1);
    item.SetMaxValue(100);
    item.SetValue(80);
    item.SetMaxValue(50); // no range check: the value stays
    EXPECT_EQ(item.Value(), 80);
    item.SetUseRange(true);
    item.SetMaxValue(40);
    EXPECT_EQ(item.Value(), 40);
    item.SetMinValue(40); // not below MaxValue
    EXPECT_EQ(item.MinValue(), 0);
    item.SetValue(3);
    item.SetMinValue(10);
    EXPECT_EQ(item.Value(), 10);
}

TEST(SafeIntegerInspectorItem, EmptyTextAndSilentRange)
{
    TrmSafeIntegerInspectorItem item; // 0..255, checked
    // Each text set, then the text shown: out of range and refused values are dropped.
    const std::pair<const char*, const char*> texts[] = {{"007", "7"}, {"300", "7"}, {"", ""}};
    for (const auto& [text, shown] : texts) {
        item.SetAsString(text);
        EXPECT_EQ(item.AsString(), shown) << text;
    }
    EXPECT_THROW(item.SetAsString("x"), EConvertError);
    item.SetMaxValue(5); // an empty text stays empty
    EXPECT_EQ(item.AsString(), "");
    item.SetAsString("5");
    item.SetValue(-1);
    item.SetMaxValue(3);
    EXPECT_EQ(item.AsString(), "3");
    item.SetMinValue(3); // not below MaxValue 3
    EXPECT_EQ(item.MinValue(), 0);
    item.SetMinValue(2);
    item.SetAsString("1"); // below the new minimum: dropped
    EXPECT_EQ(item.AsString(), "3");
    item.SetUseRange(false);
    item.SetAsString("0042");
    EXPECT_EQ(item.AsString(), "0042");
    item.SetValue(999);
    EXPECT_EQ(item.AsString(), "999");
}

TEST(ValueInspectorItems, CheckBoxTextsOfTwoAndThreeStatesAndShortDates)
{
    TrmCheckBoxInspectorItem box;
    box.SetAsString("TRUE ");
    EXPECT_EQ(box.AsString(), "True");
    box.SetAsString("yes");
    EXPECT_EQ(box.AsString(), "False");
    TrmCheckBoxExInspectorItem three;
    TrmCheckBoxExStrings texts;
    texts.SetTrueState("on");
    texts.SetFalseState("off");
    texts.SetUndefined("");
    three.SetStrings(texts);
    texts.SetTrueState("changed later"); // the item keeps a copy
    three.SetAsString("on");
    EXPECT_EQ(three.State(), cbxTrue);
    three.SetAsString("maybe");
    EXPECT_EQ(three.State(), cbxUndefined);
    EXPECT_EQ(three.AsString(), "");
    three.Strings().SetFalseState("on"); // both texts equal: the false test comes later and wins
    three.SetAsString("on");
    EXPECT_EQ(three.State(), cbxFalse);
    TrmDateInspectorItem date;
    date.SetAsString("3/5/2024");
    EXPECT_EQ(date.Value(), platform::EncodeDate(2024, 3, 5));
    EXPECT_EQ(date.AsString(), "03/05/2024");
    for (const char* bad : {"", "13/01/2024", "02/30/2024", "1/2", "01/02/2024x", "a/b/c"})
        EXPECT_THROW(date.SetAsString(bad), EConvertError) << bad;
    EXPECT_EQ(date.AsString(), "03/05/2024");
}

#include "inspector/rmInspectorItems.h"

#include "ExpectMessage.h"
#include "InspectorFixture.h"
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
    EXPECT_FALSE(TrmComplexInspectorItem().Editabled());
    EXPECT_FALSE(TrmNodeInspectorItem().Editabled());
    EXPECT_TRUE(TrmStringInspectorItem().Editabled());
}

TEST(IntegerInspectorItem, RangeIsCheckedOnlyWithUseRange)
{
    TrmIntegerInspectorItem item;
    EXPECT_EQ(item.MinValue(), 0);
    EXPECT_EQ(item.MaxValue(), 1);
    item.SetAsString("2");
    EXPECT_EQ(item.Value(), 2);
    item.SetUseRange(true);
    ExpectThrowWithMessage<Exception>([&] { item.SetAsString("-1"); }, "Value must be between 0 and 1");
    ExpectThrowWithMessage<Exception>([&] { item.SetValue(5); }, "Value must be between 0 and 1");
    EXPECT_THROW(item.SetAsString("abc"), EConvertError);
    EXPECT_EQ(item.AsString(), "2");
    item.SetAsString(" 1");
    EXPECT_EQ(item.Value(), 1);
}

TEST(IntegerInspectorItem, BoundsMustStayOrderedAndPullTheValueIn)
{
    TrmIntegerInspectorItem item;
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
    TrmSafeIntegerInspectorItem item;
    EXPECT_EQ(item.AsString(), "");
    EXPECT_EQ(item.MaxValue(), 255);
    EXPECT_TRUE(item.UseRange());
    item.SetAsString("007");
    EXPECT_EQ(item.AsString(), "7");
    item.SetAsString("300");
    EXPECT_EQ(item.AsString(), "7");
    item.SetValue(-1);
    EXPECT_EQ(item.AsString(), "7");
    EXPECT_THROW(item.SetAsString("x"), EConvertError);
    item.SetAsString("");
    EXPECT_EQ(item.AsString(), "");
    item.SetMaxValue(5); // an empty text stays empty
    EXPECT_EQ(item.AsString(), "");
    item.SetAsString("5");
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

TEST(CheckBoxInspectorItems, TextsOfTwoAndThreeStates)
{
    TrmCheckBoxInspectorItem box;
    box.SetAsString("TRUE ");
    EXPECT_TRUE(box.Value());
    EXPECT_EQ(box.AsString(), "True");
    box.SetAsString("yes");
    EXPECT_EQ(box.AsString(), "False");

    TrmCheckBoxExInspectorItem three;
    three.Strings().SetTrueState("on");
    three.Strings().SetFalseState("off");
    three.Strings().SetUndefined("");
    three.SetAsString("on");
    EXPECT_EQ(three.State(), cbxTrue);
    three.SetAsString("maybe");
    EXPECT_EQ(three.State(), cbxUndefined);
    EXPECT_EQ(three.AsString(), "");
    three.Strings().SetFalseState("on"); // both texts equal: the false test comes later and wins
    three.SetAsString("on");
    EXPECT_EQ(three.State(), cbxFalse);

    TrmCheckBoxExStrings other;
    other.SetTrueState("yes");
    three.SetStrings(other);
    other.SetTrueState("changed later");
    EXPECT_EQ(three.Strings().TrueState(), "yes"); // the item keeps a copy
}

TEST(DateInspectorItem, ShortDateTextBothWays)
{
    TrmDateInspectorItem item;
    item.SetAsString("3/5/2024");
    EXPECT_EQ(item.Value(), platform::EncodeDate(2024, 3, 5));
    EXPECT_EQ(item.AsString(), "03/05/2024");
    for (const char* bad : {"", "13/01/2024", "02/30/2024", "1/2", "01/02/2024x", "a/b/c"})
        EXPECT_THROW(item.SetAsString(bad), EConvertError) << bad;
    EXPECT_EQ(item.AsString(), "03/05/2024");
}

using InspectorItemsInInspector = InspectorTest;

TEST_F(InspectorItemsInInspector, ValueSettersUpdateEveryNodeSummaryAbove)
{
    Add<TrmNodeInspectorItem>("Top", "");
    Add<TrmNodeInspectorItem>("Top/Mid", "");
    auto* value = Add<TrmIntegerInspectorItem>("Top/Mid/N", "1");
    Add<TrmStringInspectorItem>("Top/S", "abc");
    auto* three = Add<TrmCheckBoxExInspectorItem>("Top/C", "True");
    inspector.Invalidate();
    EXPECT_EQ(inspector.FindInspectorItem(PathOf("Top"))->AsString(), "((...), abc, True)");
    EXPECT_EQ(inspector.FindInspectorItem(PathOf("Top/Mid"))->AsString(), "(1)");

    value->SetValue(5);
    EXPECT_EQ(inspector.FindInspectorItem(PathOf("Top/Mid"))->AsString(), "(5)");
    three->SetAsString("False"); // this setter leaves the summaries alone
    EXPECT_EQ(inspector.FindInspectorItem(PathOf("Top"))->AsString(), "((...), abc, True)");
    three->SetState(cbxFalse);
    EXPECT_EQ(inspector.FindInspectorItem(PathOf("Top"))->AsString(), "((...), abc, False)");

    // A row that is not a node item ends the walk up.
    auto* blank = Add<TrmBlankInspectorItem>("B", "kept");
    Add<TrmIntegerInspectorItem>("B/N", "7");
    inspector.Invalidate();
    EXPECT_EQ(blank->AsString(), "kept");
}

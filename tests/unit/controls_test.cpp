#include "platform/form.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

FormSpec twoGroups() {
    auto option = [](const wchar_t* name, const wchar_t* container, bool selected) {
        ControlSpec design;
        design.name = name;
        design.kind = ControlKind::OptionButton;
        design.container = container;
        design.selected = selected;
        return design;
    };
    ControlSpec box;
    box.name = L"Box";
    box.kind = ControlKind::TextBox;
    box.text = L"start";
    ControlSpec list;
    list.name = L"List";
    list.kind = ControlKind::CheckList;
    FormSpec form;
    form.name = L"Test";
    form.controls = {option(L"a1", L"", true),
                     option(L"a2", L"", false),
                     option(L"b1", L"Pic", false),
                     option(L"b2", L"Pic", true),
                     box,
                     list};
    return form;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        form.load();
    }
    Form form{twoGroups()};
};

TEST_F(Controls, SettingTextFromCodeRaisesChangeNestedOnlyWhenItDiffers) {
    auto& box = form.textBox(L"Box");
    std::vector<std::wstring> seen;
    box.onChange = [&] { seen.push_back(box.text()); };
    box.setText(L"start");
    EXPECT_TRUE(seen.empty());
    box.setText(L"next");
    ASSERT_EQ(seen, std::vector<std::wstring>{L"next"});
    EXPECT_EQ(headless::shown(box)->text, L"next");
    // A user edit always raises Change, even with the same text.
    box.userEdited(L"next");
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Controls, ChangeRaisedInsideAHandlerRunsBeforeTheHandlerGoesOn) {
    auto& box = form.textBox(L"Box");
    std::vector<std::wstring> order;
    box.onChange = [&] { order.push_back(L"change"); };
    form.optionButton(L"a2").onClick = [&] {
        box.setText(L"from click");
        order.push_back(L"after set");
    };
    form.optionButton(L"a2").userClicked();
    EXPECT_EQ(order, (std::vector<std::wstring>{L"change", L"after set"}));
}

TEST_F(Controls, OptionButtonsAreGroupedByContainerAndSelectedBeforeClick) {
    auto& a1 = form.optionButton(L"a1");
    auto& a2 = form.optionButton(L"a2");
    auto& b2 = form.optionButton(L"b2");
    bool selectedDuringClick = false;
    a2.onClick = [&] { selectedDuringClick = a2.value() && !a1.value(); };
    a2.userClicked();
    EXPECT_TRUE(selectedDuringClick);
    EXPECT_FALSE(headless::shown(a1)->value);
    EXPECT_TRUE(headless::shown(a2)->value);
    EXPECT_TRUE(b2.value()); // the other container's group is untouched
    form.optionButton(L"b1").setValue(true);
    EXPECT_FALSE(b2.value());
    EXPECT_TRUE(a2.value());
}

TEST_F(Controls, CheckListShowsABatchOnceAndKeepsChecksPerRow) {
    auto& list = form.checkList(L"List");
    auto* peer = headless::shown(list);
    list.beginUpdate();
    list.clear();
    for (int i = 0; i < 1000; ++i) {
        list.addItem(L"row" + std::to_wstring(i));
    }
    list.endUpdate();
    EXPECT_EQ(peer->redrawOffCount, 1);
    EXPECT_EQ(peer->rowsShownFrom, 0u);
    ASSERT_EQ(list.count(), 1000u);
    EXPECT_EQ(list.item(999), L"row999");
    EXPECT_FALSE(list.checked(5));
    list.userToggled(5, true);
    EXPECT_TRUE(list.checked(5));
    list.addItem(L"late");
    EXPECT_EQ(peer->rowsShownFrom, 1000u);
    EXPECT_FALSE(list.checked(1000));
}

TEST_F(Controls, UnloadingAndLoadingAgainRestoresTheDesignedState) {
    form.textBox(L"Box").userEdited(L"typed");
    form.optionButton(L"a2").userClicked();
    form.checkList(L"List").addItem(L"x");
    form.unload();
    EXPECT_FALSE(form.loaded());
    int loads = 0;
    form.onLoad = [&] { ++loads; };
    form.load();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(form.textBox(L"Box").text(), L"start");
    EXPECT_TRUE(form.optionButton(L"a1").value());
    EXPECT_EQ(form.checkList(L"List").count(), 0u);
}

TEST_F(Controls, AnUnknownControlNameIsAProgrammingError) {
    EXPECT_THROW(form.textBox(L"Nope"), std::logic_error);
    EXPECT_THROW(form.textBox(L"a1"), std::logic_error);
}

// Space on a list: the focused row alone, or every selected row when the focused
// one is among several selected, all taking the opposite of the focused row's check.
TEST_F(Controls, SpaceTogglesTheFocusedRowOrGivesTheSelectionItsOpposite) {
    auto& list = form.checkList(L"List");
    for (int i = 0; i < 6; ++i) {
        list.addItem(L"row" + std::to_wstring(i));
    }
    list.setChecked(1, true);
    list.setChecked(3, true);
    using Rows = std::vector<std::size_t>;

    EXPECT_EQ(list.userPressedSpace(0, {}), Rows{0}); // nothing selected
    EXPECT_TRUE(list.checked(0));
    EXPECT_EQ(list.userPressedSpace(0, {0}), Rows{0});
    EXPECT_FALSE(list.checked(0));
    // The focused row unchecked: all of the selection checked; 1 and 3 already were.
    EXPECT_EQ(list.userPressedSpace(2, {1, 2, 3, 4}), (Rows{2, 4}));
    EXPECT_TRUE(list.checked(1) && list.checked(2) && list.checked(3) && list.checked(4));
    EXPECT_EQ(list.userPressedSpace(4, {1, 2, 3, 4}), (Rows{1, 2, 3, 4}));
    EXPECT_FALSE(list.checked(1) || list.checked(2) || list.checked(3) || list.checked(4));
    // Focus outside the selection (moved with Ctrl+arrow): the focused row alone.
    EXPECT_EQ(list.userPressedSpace(5, {1, 2}), Rows{5});
    EXPECT_TRUE(list.checked(5) && !list.checked(1) && !list.checked(2));
    EXPECT_TRUE(list.userPressedSpace(6, {1, 2}).empty()); // no such row
}

// Texts in one block: each row keeps its own, the empty one too, whether added
// one by one or handed over as pieces of a block.
TEST_F(Controls, CheckListTextsStayApartInOneBlock) {
    auto& list = form.checkList(L"List");
    list.addItem(L"ab");
    list.addItem(L"");
    list.addItem(L"caf\u00E9 \u20AC.snp");
    list.addItem(std::wstring(5000, L'x'));
    ASSERT_EQ(list.count(), 4u);
    EXPECT_EQ(list.item(0), L"ab");
    EXPECT_EQ(list.item(1), L"");
    EXPECT_EQ(list.item(2), L"caf\u00E9 \u20AC.snp");
    EXPECT_EQ(list.item(3), std::wstring(5000, L'x'));
    EXPECT_THROW(list.item(4), std::out_of_range);
    list.setChecked(0, true);

    list.setItems("x.snp\r\n\xC3\xA9.snp\r\ny.snp", {{15, 5}, {7, 6}, {0, 5}});
    ASSERT_EQ(list.count(), 3u);
    EXPECT_EQ(list.item(0), L"y.snp");
    EXPECT_EQ(list.item(1), L"\u00E9.snp");
    EXPECT_EQ(list.item(2), L"x.snp");
    EXPECT_FALSE(list.checked(0)); // new rows start unchecked
    list.addItem(L"z.snp");
    EXPECT_EQ(list.item(3), L"z.snp");
    EXPECT_EQ(list.item(0), L"y.snp");
}

} // namespace
} // namespace platform

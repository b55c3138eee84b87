#include "platform/control_order.h"
#include "snipforge/main_window_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

using Names = std::vector<std::wstring>;

Names namesOf(const FormSpec& form, const std::vector<std::size_t>& indices) {
    Names names;
    for (const auto index : indices) {
        names.push_back(form.controls[index].name);
    }
    return names;
}

std::vector<Names> stopsOf(const FormSpec& form, const ControlOrder& order) {
    std::vector<Names> stops;
    for (const auto& stop : order.tabStops) {
        stops.push_back(namesOf(form, stop));
    }
    return stops;
}

// The labels move up to the boxes they name; everything else keeps tab order,
// and the Tab key still walks the designed order.
TEST(ControlOrder, MainWindowLabelsComeJustBeforeTheirBoxes) {
    const auto form = snipforge::mainWindowLayout();
    const auto order = controlOrder(form);
    EXPECT_EQ(namesOf(form, order.zOrder),
              (Names{L"Frame1", L"Label1", L"Text1", L"Label2", L"Text2", L"Label3", L"Text3",
                     L"Label4", L"Text4", L"Command1", L"Command2", L"Command3", L"Label5",
                     L"Text5", L"optcode16", L"optcode32", L"Picture1", L"optde16", L"optde32"}));
    EXPECT_EQ(stopsOf(form, order), (std::vector<Names>{{L"Text1"},
                                                        {L"Text2"},
                                                        {L"Text3"},
                                                        {L"Text4"},
                                                        {L"Command1"},
                                                        {L"Command2"},
                                                        {L"Command3"},
                                                        {L"Text5"},
                                                        {L"optcode16", L"optcode32"},
                                                        {L"optde16", L"optde32"}}));
    Names continuing;
    for (std::size_t index = 0; index < form.controls.size(); ++index) {
        if (!order.startsGroup[index]) {
            continuing.push_back(form.controls[index].name);
        }
    }
    EXPECT_EQ(continuing, (Names{L"optcode32", L"optde32"}));
}

TEST(ControlOrder, OptionsGroupOnlyWithNeighboursOfTheirOwnContainer) {
    FormSpec form;
    form.controls = {
        controlSpec(L"a1", ControlKind::OptionButton, L"", L"", {}, 0),
        controlSpec(L"b1", ControlKind::OptionButton, L"Frame", L"", {}, 1),
        controlSpec(L"b2", ControlKind::OptionButton, L"Frame", L"", {}, 2),
        controlSpec(L"skip", ControlKind::CommandButton, L"", L"", {}, 3),
        controlSpec(L"b3", ControlKind::OptionButton, L"Frame", L"", {}, 4),
        controlSpec(L"line", ControlKind::Line, L"", L"", {}, -1),
        controlSpec(L"label", ControlKind::Label, L"", L"", {}, 5),
    };
    form.controls[3].tabStop = false;
    form.controls[6].labelFor = L"missing";
    const auto order = controlOrder(form);
    EXPECT_EQ(stopsOf(form, order), (std::vector<Names>{{L"a1"}, {L"b1", L"b2"}, {L"b3"}}));
    // Lines have no window; a label naming nothing keeps its place.
    EXPECT_EQ(namesOf(form, order.zOrder), (Names{L"a1", L"b1", L"b2", L"skip", L"b3", L"label"}));
    EXPECT_EQ(order.startsGroup, (std::vector<bool>{true, true, false, true, true, true, true}));
}

} // namespace
} // namespace platform

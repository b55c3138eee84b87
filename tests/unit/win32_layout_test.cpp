// The pixel geometry the Win32 backend gives controls (a pure header, tested natively).
#include "platform/win32/layout.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace platform::win32 {
namespace {

ControlSpec placed(const wchar_t* name, const wchar_t* container, TwipsRect rect,
                   ControlKind kind = ControlKind::Label) {
    ControlSpec design;
    design.name = name;
    design.kind = kind;
    design.container = container;
    design.rect = rect;
    return design;
}

// A frame at (60, 60) and, on the form, a control where one inside it would be.
FormSpec frameAndNeighbours() {
    FormSpec form;
    form.clientWidth = 4515;
    form.clientHeight = 4455;
    form.controls = {
        placed(L"Frame1", L"", {60, 60, 4395, 4335}, ControlKind::Frame),
        placed(L"Text1", L"", {1200, 360, 3135, 285}, ControlKind::TextBox),
        placed(L"Text2", L"Frame1", {1140, 300, 3135, 285}, ControlKind::TextBox),
        placed(L"Picture1", L"Frame1", {1140, 2580, 3135, 255}, ControlKind::PictureBox),
        placed(L"opt", L"Picture1", {1620, 10, 1515, 255}, ControlKind::OptionButton),
    };
    return form;
}

void expectRect(const PixelRect& rect, int left, int top, int width, int height) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

TEST(Win32Layout, ControlsInAFrameLandWhereTheSameSpotOnTheFormDoes) {
    const auto form = frameAndNeighbours();
    for (const int dpi : {96, 120, 144}) {
        const auto onForm = controlPixelRect(form, form.controls[1], dpi);
        const auto inFrame = controlPixelRect(form, form.controls[2], dpi);
        EXPECT_EQ(onForm.left, inFrame.left) << dpi;
        EXPECT_EQ(onForm.top, inFrame.top) << dpi;
    }
}

TEST(Win32Layout, PositionsRoundTheSummedTwipsAndSizesTheirOwn) {
    const auto form = frameAndNeighbours();
    // 60 + 1140 + 1620 = 2820 twips; 60 + 2580 + 10 = 2650 twips.
    expectRect(controlPixelRect(form, form.controls[4], 96), 188, 177, 101, 17);
    // At 144 DPI: 2820 -> 282, 2650 -> 265, 1515 -> 151.5 -> 152, 255 -> 25.5 -> 26.
    expectRect(controlPixelRect(form, form.controls[4], 144), 282, 265, 152, 26);
    expectRect(controlPixelRect(form, form.controls[4], 120), 235, 221, 126, 21);
}

TEST(Win32Layout, TheSumIsRoundedNotTheOffsets) {
    FormSpec form;
    form.controls = {placed(L"Frame1", L"", {125, 125, 1000, 1000}, ControlKind::Frame),
                     placed(L"Label1", L"Frame1", {125, 125, 500, 125})};
    // 250 twips at 144 DPI are 25 pixels; 12.5 + 12.5 rounded apart would be 26.
    expectRect(controlPixelRect(form, form.controls[1], 144), 25, 25, 50, 13);
}

TEST(Win32Layout, ClientAreaAndIconScaleWithTheDpi) {
    const auto form = frameAndNeighbours();
    EXPECT_EQ(clientPixelWidth(form, 96), 301);
    EXPECT_EQ(clientPixelHeight(form, 96), 297);
    EXPECT_EQ(clientPixelWidth(form, 144), 452); // 451.5 rounds up
    EXPECT_EQ(iconPixels(96), 32);
    EXPECT_EQ(iconPixels(120), 40);
    EXPECT_EQ(iconPixels(144), 48);
    EXPECT_EQ(scaleFrom96(1, 144), 2); // 1.5 rounds away from zero
    EXPECT_EQ(scaleFrom96(-1, 144), -2);
}

TEST(Win32Layout, LineEndsRoundEachEndOnItsOwn) {
    FormSpec form;
    form.controls = {placed(L"Line1", L"", {105, 1920, 5549, 0}, ControlKind::Line)};
    const auto ends = linePixelEnds(form, form.controls[0], 96);
    EXPECT_EQ(ends.from.x, 7);
    EXPECT_EQ(ends.from.y, 128);
    EXPECT_EQ(ends.to.x, 377); // 5654 twips
    EXPECT_EQ(ends.to.y, 128);
}

TEST(Win32Layout, AContainerThatIsMissingOrACycleIsAProgrammingError) {
    FormSpec form;
    form.controls = {placed(L"a", L"nowhere", {0, 0, 10, 10})};
    EXPECT_THROW(controlPixelRect(form, form.controls[0], 96), std::logic_error);
    form.controls = {placed(L"a", L"b", {0, 0, 10, 10}), placed(L"b", L"a", {0, 0, 10, 10})};
    EXPECT_THROW(controlPixelRect(form, form.controls[0], 96), std::logic_error);
}

TEST(Win32Layout, EveryKindButTheLineHasAWindowClass) {
    EXPECT_EQ(windowClassOf(ControlKind::Line), nullptr);
    EXPECT_STREQ(windowClassOf(ControlKind::TextBox), L"Edit");
    EXPECT_STREQ(windowClassOf(ControlKind::CheckList), L"SysListView32");
    EXPECT_STREQ(windowClassOf(ControlKind::PictureBox), pictureBoxClassName);
}

} // namespace
} // namespace platform::win32

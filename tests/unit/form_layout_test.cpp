// A window laid out again after a DPI change ends up exactly as one laid out at
// that DPI from the start: for every window of both programs, the window's side of
// layOutForm is recorded, once fresh and once after another DPI.
#include "platform/win32/form_layout.h"
#include "snipfetch/download_window_layout.h"
#include "snipforge/about_window_layout.h"
#include "snipforge/main_window_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <tuple>

namespace platform {
// For the names of the cases: the window's designer name.
void PrintTo(const FormSpec& design, std::ostream* out) {
    *out << std::string(design.name.begin(), design.name.end());
}
} // namespace platform

namespace platform::win32 {
namespace {

using Rect = std::tuple<int, int, int, int>;

// What a window shows, each property as last set.
struct Shown {
    int dpi = 0;
    int font = 0;
    std::pair<int, int> windowIcons;
    std::pair<int, int> clientArea;
    std::map<std::size_t, Rect> controls;
    std::map<std::size_t, int> icons;
    std::map<std::size_t, int> checkBoxes;

    bool operator==(const Shown&) const = default;
};

struct RecordingWindow final : FormLayoutTarget {
    Shown shown;

    void useDpi(int value) override { shown.dpi = value; }
    void useFont(int height) override { shown.font = height; }
    void useWindowIcons(int big, int small) override { shown.windowIcons = {big, small}; }
    void sizeClientArea(int width, int height) override { shown.clientArea = {width, height}; }
    void placeControl(std::size_t index, const PixelRect& rect) override {
        shown.controls[index] = {rect.left, rect.top, rect.width, rect.height};
    }
    void sizeIcon(std::size_t index, int pixels) override { shown.icons[index] = pixels; }
    void sizeCheckBoxes(std::size_t index, int pixels) override {
        shown.checkBoxes[index] = pixels;
    }
};

Shown laidOut(const FormSpec& design, std::initializer_list<int> dpis) {
    RecordingWindow window;
    for (const int dpi : dpis) {
        layOutForm(design, dpi, window);
    }
    return window.shown;
}

class FormLayoutTest : public ::testing::TestWithParam<FormSpec> {};

TEST_P(FormLayoutTest, AfterADpiChangeTheWindowIsAsIfStartedThere) {
    const FormSpec& design = GetParam();
    for (const int start : {96, 120, 144, 192}) {
        for (const int moved : {96, 120, 144, 192}) {
            EXPECT_EQ(laidOut(design, {start, moved}), laidOut(design, {moved}))
                << "from " << start << " to " << moved << " DPI";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, FormLayoutTest,
                         ::testing::Values(snipforge::mainWindowLayout(),
                                           snipforge::aboutWindowLayout(),
                                           snipfetch::downloadWindowLayout()),
                         [](const auto& window) {
                             return std::string(window.param.name.begin(), window.param.name.end());
                         });

} // namespace
} // namespace platform::win32

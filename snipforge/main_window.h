// snipforge's main window: the sniplet's texts, the two variant buffers behind
// the code and module boxes, and the Create, Example and About commands.
#pragma once

#include "platform/form.h"
#include "snipforge/about_window.h"

#include <array>
#include <memory>
#include <string>

namespace snipforge {

class MainWindow : public platform::Form {
public:
    MainWindow();

    // Variant buffers, 0 = 16-bit, 1 = 32-bit: what the code and module boxes
    // held for each variant. The Create command writes these, not the boxes.
    std::array<std::wstring, 2> codeVersion;
    std::array<std::wstring, 2> declVersion;

private:
    // The controls, resolved once from the layout table (main_window_layout.cpp
    // maps each designer name to its member).
    platform::TextBox& nameBox_;
    platform::TextBox& authorBox_;
    platform::TextBox& descriptionBox_;
    platform::TextBox& codeBox_;
    platform::TextBox& moduleBox_;
    platform::OptionButton& code16Option_;
    platform::OptionButton& code32Option_;
    platform::OptionButton& module16Option_;
    platform::OptionButton& module32Option_;
    platform::CommandButton& createButton_;
    platform::CommandButton& exampleButton_;
    platform::CommandButton& aboutButton_;

    void onVariantClick(platform::TextBox& box, const std::wstring& buffer);
    void onCodeChange();
    void onModuleChange();
    void onCreateClick();
    void onExampleClick();
    void onAboutClick();

    // Made on the first click of About and kept for the rest of the run.
    std::unique_ptr<AboutWindow> aboutWindow_;

    static std::wstring AppendBackslash(const std::wstring& path);
};

} // namespace snipforge

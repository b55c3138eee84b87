// snipforge's main window: the sniplet's texts, the two variant buffers behind
// the code and module boxes, the Create, Example and About commands, and opening
// a sniplet file into the form.
#pragma once

#include "platform/form.h"
#include "snipforge/about_window.h"
#include "snipforge/sniplet_writer.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace snipforge {

class MainWindow : public platform::Form {
public:
    MainWindow();

    // Variant buffers, 0 = 16-bit, 1 = 32-bit: what the code and module boxes
    // held for each variant. The Create command writes these, not the boxes.
    std::array<std::wstring, 2> codeVersion;
    std::array<std::wstring, 2> declVersion;

    // The program's arguments: a single one is the path of a sniplet to open.
    void openArguments(const std::vector<std::wstring>& arguments);

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
    void onOpenCommand();
    void openDroppedFiles(const std::vector<std::wstring>& paths);

    // Reads the file and fills the form with it, asking first when the form holds
    // changes; an unreadable file is reported and leaves the form as it was.
    void openSniplet(const std::wstring& path);
    void fillForm(const Sniplet& sniplet);
    Sniplet currentSniplet() const;

    // The sniplet as it was last opened, filled in or created: the form holds
    // changes when it holds anything else.
    Sniplet keptSniplet_;

    // Made on the first click of About and kept for the rest of the run.
    std::unique_ptr<AboutWindow> aboutWindow_;

    static std::wstring AppendBackslash(const std::wstring& path);
    // The Sniplets folder beside the program, with a final backslash.
    static std::wstring snipletFolder();
};

} // namespace snipforge

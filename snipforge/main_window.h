// snipforge's main window: the sniplet's texts, the two variant buffers behind
// the code and module boxes, and the Create, Example and About commands.
#pragma once

#include "platform/form.h"
#include "snipforge/about_window.h"

#include <array>
#include <memory>
#include <string>

namespace snipforge {

class Form1 : public platform::Form {
public:
    Form1();

    // Variant buffers, 0 = 16-bit, 1 = 32-bit: what the code and module boxes
    // held for each variant. The Create command writes these, not the boxes.
    std::array<std::wstring, 2> codeVersion;
    std::array<std::wstring, 2> declVersion;

private:
    void optcode16_Click();
    void optcode32_Click();
    void optde16_Click();
    void optde32_Click();
    void Text4_Change();
    void Text5_Change();
    void Command1_Click(); // Create Add-In
    void Command2_Click(); // Example
    void Command3_Click(); // About

    // Made on the first click of About and kept for the rest of the run.
    std::unique_ptr<frmAbout> aboutWindow_;

    static std::wstring AppendBackslash(const std::wstring& path);
};

} // namespace snipforge

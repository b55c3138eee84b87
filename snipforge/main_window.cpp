#include "snipforge/main_window.h"

#include "snipforge/main_window_layout.h"

namespace snipforge {

Form1::Form1() : platform::Form(mainWindowLayout()) {
    optionButton(L"optcode16").onClick = [this] { optcode16_Click(); };
    optionButton(L"optcode32").onClick = [this] { optcode32_Click(); };
    optionButton(L"optde16").onClick = [this] { optde16_Click(); };
    optionButton(L"optde32").onClick = [this] { optde32_Click(); };
    textBox(L"Text4").onChange = [this] { Text4_Change(); };
    textBox(L"Text5").onChange = [this] { Text5_Change(); };
    commandButton(L"Command1").onClick = [this] { Command1_Click(); };
    commandButton(L"Command2").onClick = [this] { Command2_Click(); };
    commandButton(L"Command3").onClick = [this] { Command3_Click(); };
}

// Switching a variant shows its buffer. The box's Change then runs nested and,
// since the clicked option is already selected, stores the text back into the
// same slot.
void Form1::optcode16_Click() {
    textBox(L"Text4").setText(codeVersion[0]);
}
void Form1::optcode32_Click() {
    textBox(L"Text4").setText(codeVersion[1]);
}
void Form1::optde16_Click() {
    textBox(L"Text5").setText(declVersion[0]);
}
void Form1::optde32_Click() {
    textBox(L"Text5").setText(declVersion[1]);
}

// Neither option selected falls back to the 32-bit slot.
void Form1::Text4_Change() {
    codeVersion[optionButton(L"optcode16").value() ? 0 : 1] = textBox(L"Text4").text();
}

void Form1::Text5_Change() {
    declVersion[optionButton(L"optde16").value() ? 0 : 1] = textBox(L"Text5").text();
}

void Form1::Command2_Click() {
    textBox(L"Text1").setText(L"Messagebox window handle");
    textBox(L"Text2").setText(L"Dozovad");
    textBox(L"Text3").setText(
        L"This code creates a message box that shows the handle of the window.");
    auto& code = textBox(L"Text4");
    code.setText(L"Msgbox CStr(*), 16, \"Window Handle\"");
    // Both code variants get the line as the box now holds it; the module texts
    // are emptied whatever Text5 goes on showing.
    codeVersion[0] = code.text();
    codeVersion[1] = code.text();
    declVersion[0].clear();
    declVersion[1].clear();
}

void Form1::Command3_Click() {
    if (!aboutWindow_) {
        aboutWindow_ = std::make_unique<frmAbout>();
    }
    // Loads it again (its Form_Load centres it) and returns once it is closed.
    aboutWindow_->showModal();
}

} // namespace snipforge

#include "snipforge/main_window.h"

#include "snipforge/main_window_layout.h"

namespace snipforge {

MainWindow::MainWindow()
    : platform::Form(mainWindowLayout()), nameBox_(textBox(L"Text1")),
      authorBox_(textBox(L"Text2")), descriptionBox_(textBox(L"Text3")),
      codeBox_(textBox(L"Text4")), moduleBox_(textBox(L"Text5")),
      code16Option_(optionButton(L"optcode16")), code32Option_(optionButton(L"optcode32")),
      module16Option_(optionButton(L"optde16")), module32Option_(optionButton(L"optde32")),
      createButton_(commandButton(L"Command1")), exampleButton_(commandButton(L"Command2")),
      aboutButton_(commandButton(L"Command3")) {
    code16Option_.onClick = [this] { onVariantClick(codeBox_, codeVersion[0]); };
    code32Option_.onClick = [this] { onVariantClick(codeBox_, codeVersion[1]); };
    module16Option_.onClick = [this] { onVariantClick(moduleBox_, declVersion[0]); };
    module32Option_.onClick = [this] { onVariantClick(moduleBox_, declVersion[1]); };
    codeBox_.onChange = [this] { onCodeChange(); };
    moduleBox_.onChange = [this] { onModuleChange(); };
    createButton_.onClick = [this] { onCreateClick(); };
    exampleButton_.onClick = [this] { onExampleClick(); };
    aboutButton_.onClick = [this] { onAboutClick(); };
    commands.push_back({L"Open sniplet...", L'O', [this] { onOpenCommand(); }});
    onFilesDropped = [this](const std::vector<std::wstring>& paths) { openDroppedFiles(paths); };
    keptSniplet_ = currentSniplet();
}

// Switching a variant shows its buffer. The box's Change then runs nested and,
// since the clicked option is already selected, stores the text back into the
// same slot.
void MainWindow::onVariantClick(platform::TextBox& box, const std::wstring& buffer) {
    box.setText(buffer);
}

// Neither option selected falls back to the 32-bit slot.
void MainWindow::onCodeChange() {
    codeVersion[code16Option_.value() ? 0 : 1] = codeBox_.text();
}

void MainWindow::onModuleChange() {
    declVersion[module16Option_.value() ? 0 : 1] = moduleBox_.text();
}

void MainWindow::onExampleClick() {
    nameBox_.setText(L"Messagebox window handle");
    authorBox_.setText(L"Dozovad");
    descriptionBox_.setText(
        L"This code creates a message box that shows the handle of the window.");
    codeBox_.setText(L"Msgbox CStr(*), 16, \"Window Handle\"");
    // Both code variants get the line as the box now holds it; the module texts
    // are emptied whatever the module box goes on showing.
    codeVersion[0] = codeBox_.text();
    codeVersion[1] = codeBox_.text();
    declVersion[0].clear();
    declVersion[1].clear();
    keptSniplet_ = currentSniplet();
}

void MainWindow::onAboutClick() {
    if (!aboutWindow_) {
        aboutWindow_ = std::make_unique<AboutWindow>();
    }
    // Loads it again (its load handler centres it) and returns once it is closed.
    aboutWindow_->showModal();
}

} // namespace snipforge

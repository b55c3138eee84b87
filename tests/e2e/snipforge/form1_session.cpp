#include "tests/e2e/snipforge/form1_session.h"

#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/expected_layout.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/form1_expected.h"

namespace snipforge_e2e {

using namespace e2e;

namespace {

const platform::ControlSpec& specOf(const platform::FormSpec& form, std::wstring_view name) {
    for (const auto& control : form.controls) {
        if (control.name == name) {
            return control;
        }
    }
    fail("Form1 has no control " + describe(name));
}

} // namespace

Form1Session::Form1Session(std::wstring_view caseName, int dpi)
    : design_(expectedForm1()), dpi_(dpi), folder_(L"snipforge\\" + std::wstring(caseName)),
      app_(Suite::option(L"app"), folder_.path()),
      form_(waitForTopLevelWindow(app_.processId(), L"snipforge")) {}

HWND Form1Session::control(std::wstring_view name) {
    if (HWND window = findControl(name)) {
        return window;
    }
    // Fails with the list of the controls of that class.
    return e2e::findControl(form_, expectedWindowClass(specOf(design_, name).kind),
                            expectedClientRect(design_, name, dpi_));
}

HWND Form1Session::findControl(std::wstring_view name) {
    if (const auto found = controls_.find(name); found != controls_.end()) {
        return found->second;
    }
    const auto matches = controlsAt(form_, expectedWindowClass(specOf(design_, name).kind),
                                    expectedClientRect(design_, name, dpi_));
    if (matches.size() != 1) {
        return nullptr;
    }
    controls_.emplace(std::wstring(name), matches.front());
    return matches.front();
}

std::wstring Form1Session::nameOf(HWND window) {
    for (const auto& control : design_.controls) {
        if (window != nullptr && findControl(control.name) == window) {
            return control.name;
        }
    }
    return window == nullptr ? L"(nothing)" : L"(a window of class " + className(window) + L")";
}

std::wstring Form1Session::text(std::wstring_view name) {
    return windowText(control(name));
}

bool Form1Session::checked(std::wstring_view name) {
    return isChecked(control(name));
}

void Form1Session::type(std::wstring_view name, std::wstring_view text) {
    typeText(control(name), text);
    waitForIdle(control(L"Text1"));
}

void Form1Session::click(std::wstring_view name) {
    clickButton(control(name));
    waitForIdle(control(L"Text1"));
}

std::wstring Form1Session::snipletsFolder() const {
    return folder_ / L"Sniplets";
}

std::wstring Form1Session::snipletPath(std::wstring_view name) const {
    return snipletsFolder() + L"\\" + std::wstring(name) + L".snp";
}

MessageBoxView Form1Session::create() {
    click(L"Command1");
    return waitForMessageBox(app_.processId());
}

void Form1Session::createAndConfirm(std::wstring_view name) {
    const auto box = create();
    require(box.text == completionText(snipletPath(name)),
            "expected the completion message, got " + describe(box.text));
    answer(box, button::ok);
}

std::wstring completionText(std::wstring_view path) {
    return L"Done creating sniplet.\r\nFile location: \"" + std::wstring(path) + L"\"";
}

std::string snipletFile(std::string_view name, std::string_view author, std::string_view about,
                        std::string_view code16, std::string_view code32, std::string_view decl16,
                        std::string_view decl32) {
    std::string file;
    for (const auto line : {std::string_view("Sniplet File"), name, author, about, code16,
                            std::string_view("---"), code32, std::string_view("---"), decl16,
                            std::string_view("---"), decl32, std::string_view("---")}) {
        file.append(line).append("\r\n");
    }
    return file;
}

} // namespace snipforge_e2e

// The headless backend: windows, message boxes, files and the code page held in
// memory, with the same semantics as the Win32 backend, for unit tests on Linux.
// Tests script it through the functions below; reset() puts everything back.
#pragma once

#include "platform/controls.h"
#include "platform/files.h"
#include "platform/form.h"
#include "platform/open_dialog.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform::headless {

void reset();

// ---- Windows
// What a control's peer shows; tests compare it with the control's state.
struct ShownControl : ControlPeer {
    std::wstring text;
    bool value = false;
    std::size_t rowsShownFrom = 0;
    int redrawOffCount = 0;
    std::vector<std::size_t> tipRefreshes; // rows, in order
    int tipHides = 0;
    void showText(const std::wstring& shown) override { text = shown; }
    void showValue(bool shown) override { value = shown; }
    void showRowsFrom(std::size_t row) override { rowsShownFrom = row; }
    void showChecked(std::size_t, bool) override {}
    void setRedraw(bool on) override { redrawOffCount += on ? 0 : 1; }
    void refreshTip(std::size_t row) override { tipRefreshes.push_back(row); }
    void hideTip() override { ++tipHides; }
};
ShownControl* shown(const Control& control); // nothing while the window is not loaded

// Runs while a form is shown modally; the form is unloaded afterwards if the
// script left it loaded. Without a script, showModal returns at once.
void setModalScript(std::function<void(Form&)> script);
bool isVisible(const Form& form);
bool isModal(const Form& form);

// The screen and the outer frame that a window adds to its client area, in twips.
void setScreenSize(int widthTwips, int heightTwips);
void setFrameExtra(int widthTwips, int heightTwips);

// ---- Window-level input (headless/commands.cpp)
// Runs the form's command with that system menu caption (a test error when none).
void chooseSystemMenuItem(Form& form, std::wstring_view caption);
// Ctrl and the letter: false when no command takes it.
bool pressControlKey(Form& form, wchar_t letter);
// False when the window takes no dropped files.
bool dropFiles(Form& form, const std::vector<std::wstring>& paths);

// The Open dialog: answers for the next dialogs in order (nothing: Cancel), and
// what each dialog was asked to show. A dialog with no queued answer is a test error.
void queueOpenDialogAnswer(std::optional<std::wstring> path);
const std::vector<OpenFileRequest>& openDialogRequests();

void setProgramArguments(std::vector<std::wstring> arguments);

// ---- Message boxes
struct Message {
    std::wstring text;
    int style = 0;
    std::wstring title;
};
const std::vector<Message>& messages();
// Answers for the next boxes, in order. A box with no queued answer gets OK
// (1) when it has only an OK button; a Yes/No box without one is a test error.
void queueAnswer(int answer);

// ---- The taskbar button (platform/taskbar_progress.h)
// What the button showed, change by change: "busy", "<done>/<total>", "error",
// "none" (no progress again); each message box shown meanwhile as "box: <title>".
const std::vector<std::wstring>& taskbarLog();

// ---- The code page (1252)
// Bytes that fromAnsiExactly refuses from now on, as a code page with gaps does
// (every byte of 1252 reads as some character); reset() clears them.
void setUndecodableBytes(std::string bytes);

// ---- The clock (platform/clock.h): 2026-01-01T00:00:00Z after reset().
void setClock(std::int64_t secondsSinceEpoch);

// ---- Files: an in-memory drive; paths are Windows paths, letter case ignored.
namespace attr {
constexpr std::uint32_t readOnly = 0x1;
constexpr std::uint32_t hidden = 0x2;
constexpr std::uint32_t system = 0x4;
} // namespace attr

void setApplicationFolder(const std::wstring& folder);
void setCurrentDirectory(const std::wstring& folder);
void addFolder(const std::wstring& path);
void addFile(const std::wstring& path, const std::string& bytes, std::uint32_t attributes = 0);
bool fileExists(const std::wstring& path);
std::uint32_t fileAttributes(const std::wstring& path); // throws when missing
std::string fileBytes(const std::wstring& path);        // throws when missing
// Every file and folder path, absolute, in the letter case first used.
std::vector<std::wstring> allPaths();
// Leftovers named after a process marked running stay; all others have ended.
void markProcessRunning(unsigned long id);
// The next createFolder / replaceFile fails with this OS error (0: none).
void failNextCreateFolder(unsigned long error);
void failNextReplace(unsigned long error);

} // namespace platform::headless

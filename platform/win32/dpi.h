// The system DPI that windows, fonts and twips conversions use.
#pragma once

namespace platform::win32 {

// Dots per inch of the screen for this (system DPI aware) process, read once.
int systemDpi();

} // namespace platform::win32

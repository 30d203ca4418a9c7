#pragma once

namespace orvik {

// Blocks of this size and larger are given back to the system when freed.
inline constexpr int kLargeBlockBytes = 128 * 1024;

// The settings the program starts with, once the application object exists:
// its name, the default font, Qt's Russian translations, no end when the last
// window closes (the main window ends the program), large blocks of
// memory given back when freed, and the keyboard and window rules of every
// window (DesktopRules.h).
void SetUpApplication();

} // namespace orvik

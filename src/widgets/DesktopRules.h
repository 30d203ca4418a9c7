#pragma once

namespace orvik {

// What every window of the program does for a student at the keyboard and
// under any window manager, watched once for the whole program:
// - Return or Enter presses the focused button, as Space does;
// - F1 opens the hint of the focused control (see SetHintOf);
// - the focus is always drawn, not only after the first Tab;
// - a window kept disabled or blocked by one shown over it hands its
//   activation (a click, Alt+Tab, the window manager's choice after a window
//   closed) to the uppermost window above, and a minimising of such a chain
//   (window managers minimise a window with its transients) is undone, so
//   that the screen never ends up empty.
// Installed by the program's set-up.
void InstallDesktopRules();

} // namespace orvik

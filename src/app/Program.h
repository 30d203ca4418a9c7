#pragma once

namespace orvik {

// The settings the program starts with, once the application object exists:
// its name, the default font, Qt's Russian translations, and no end when the
// last window closes (the main window ends the program).
void SetUpApplication();

} // namespace orvik

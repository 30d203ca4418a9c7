#pragma once

#include <QString>

namespace orvik {

// The families the program sets its texts in: "Arial", and "Courier New" for
// fixed-pitch texts. Where one is not installed but its metric twin from the
// Liberation fonts is, the twin is named instead. These are the letters
// fontconfig would substitute anyway; naming them spares Qt a search through
// every installed font for a substitute, once per script and style.
QString SansFamily();
QString FixedFamily();

// `family` itself when installed, else its Liberation twin when that is
// installed, else `family` (and Qt's own substitution).
QString InstalledFamily(const QString& family);

} // namespace orvik

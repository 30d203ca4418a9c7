#pragma once

#include <locale.h>

namespace orvik {

// Numbers are written and read with a full stop whatever the desktop's
// language. The window system takes the whole locale of the desktop at start
// (LC_NUMERIC too), and from then on the C library's printf, strtod and
// everything built on them (the spreadsheet writer) would use a decimal comma
// under ru_RU. This puts the process's LC_NUMERIC back to "C"; every other
// category keeps the desktop's.
void UseFullStopNumbers();

// While it lives, this thread formats and reads numbers in the "C" way even
// where something has set the process's LC_NUMERIC to the desktop's again (a
// library may call setlocale). Every writer of a file format with numbers in
// text runs inside one.
class FullStopNumbers {
public:
    FullStopNumbers();
    ~FullStopNumbers();
    FullStopNumbers(const FullStopNumbers&) = delete;
    FullStopNumbers& operator=(const FullStopNumbers&) = delete;

private:
    locale_t own_ = nullptr;
    locale_t previous_ = nullptr;
};

} // namespace orvik

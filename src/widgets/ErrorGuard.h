#pragma once

#include <QString>

#include <functional>

namespace orvik {

class Dialogs;

// The text of the general error report: the error's text with a full stop
// appended unless it already ends in a character at or below the full stop.
QString ErrorReportText(const QString& message);

// Runs one event's work. An exception ends the work and is shown by the
// general error report; it never crosses the event loop. Returns false
// when the work ended with an error.
bool RunGuarded(Dialogs& dialogs, const std::function<void()>& work);

} // namespace orvik

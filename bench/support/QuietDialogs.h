#pragma once

#include "widgets/Dialogs.h"

#include <cstdio>

namespace orvik::bench {

// Dialogs for a program run without anyone at it: every question is
// answered No, every message passes, no file is chosen; error reports go to
// standard error, so that a run that meets one can say so.
class QuietDialogs : public Dialogs {
public:
    Answer confirm(const QString&, const QString&) override { return Answer::No; }
    bool askYesNo(const QString&) override { return false; }
    void inform(const QString&) override {}
    void error(const QString& text) override {
        std::fprintf(stderr, "error report: %s\n", qPrintable(text));
    }
    QString chooseOpenFile(const FileDialogOptions&) override { return {}; }
    QString chooseSaveFile(const FileDialogOptions&) override { return {}; }
};

} // namespace orvik::bench

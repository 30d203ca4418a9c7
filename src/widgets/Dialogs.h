#pragma once

#include <QString>

class QWidget;

namespace orvik {

struct FileDialogOptions {
    QString title;
    QString filter;           // Qt form: "ORVIK lab files (*.orvik);;All files (*.*)"
    QString defaultSuffix;    // without the dot
    QString proposed;         // the path proposed in the dialog
    bool askOverwrite = true; // the dialog's own question before replacing a file
};

// Every modal question, message and file dialog of the program goes through
// this interface, so that tests can answer them with a script.
class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;

    // A confirmation with Yes, No and Cancel (closing the box is Cancel).
    virtual Answer confirm(const QString& caption, const QString& text) = 0;
    // A Yes/No question; closing the box is No.
    virtual bool askYesNo(const QString& text) = 0;
    // A plain message with an OK button and the program's title as caption.
    virtual void inform(const QString& text) = 0;
    // The general error report: error icon, OK button.
    virtual void error(const QString& text) = 0;
    // File dialogs; an empty result means the user cancelled.
    virtual QString chooseOpenFile(const FileDialogOptions& options) = 0;
    virtual QString chooseSaveFile(const FileDialogOptions& options) = 0;
};

// The real dialogs: Qt's message boxes and the system's file dialogs.
class QtDialogs : public Dialogs {
public:
    Answer confirm(const QString& caption, const QString& text) override;
    bool askYesNo(const QString& text) override;
    void inform(const QString& text) override;
    void error(const QString& text) override;
    QString chooseOpenFile(const FileDialogOptions& options) override;
    QString chooseSaveFile(const FileDialogOptions& options) override;
};

// The program's title, the caption of its message boxes.
QString AppTitle();

} // namespace orvik

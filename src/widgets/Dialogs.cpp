#include "widgets/Dialogs.h"

#include "widgets/ExportFile.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

namespace orvik {

namespace {

// The box belongs to the window the student works in: never to a disabled
// one, which the window manager would raise over the window above it.
QWidget* ActiveWindow() {
    return UppermostAbove(QApplication::activeWindow());
}

// Runs `dialog`, then gives the focus back to the window it belongs to: the
// window manager may hand it to another window (it passes over toolbar
// windows like the lab windows).
int ExecAndRefocus(QDialog& dialog) {
    const QPointer<QWidget> owner = dialog.parentWidget();
    const int result = dialog.exec();
    if (owner && owner->isVisible())
        owner->activateWindow();
    return result;
}

int Run(QMessageBox& box) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint); // above the lab windows, which stay on top
    box.winId();
    PrepareFixedWindow(&box); // like them, without minimise and maximise buttons
    return ExecAndRefocus(box);
}

// Qt's file dialog, which refuses a file name to save under that the program
// could not write as typed (see FileNameProblem) and lets the student type
// another, instead of reading a quote as a list of names and saving elsewhere.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (acceptMode() == AcceptSave && edit) {
            if (const QString problem = FileNameProblem(edit->text()); !problem.isEmpty()) {
                QMessageBox box(QMessageBox::Warning, AppTitle(), problem, QMessageBox::Ok, this);
                box.setObjectName(QStringLiteral("fileNameRefused"));
                Run(box);
                return;
            }
        }
        QFileDialog::accept();
    }
};

QString RunFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    FileDialog dialog(ActiveWindow(), options.title);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(options.filter.split(";;"));
    dialog.setDefaultSuffix(options.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.askOverwrite);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.selectFile(options.proposed);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (ExecAndRefocus(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString AppTitle() {
    return QStringLiteral("ОРВИК лабораторные работы");
}

Dialogs::Answer QtDialogs::confirm(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, ActiveWindow());
    box.setEscapeButton(QMessageBox::Cancel);
    switch (Run(box)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtDialogs::askYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, AppTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    ActiveWindow());
    return Run(box) == QMessageBox::Yes;
}

void QtDialogs::inform(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, AppTitle(), text, QMessageBox::Ok, ActiveWindow());
    Run(box);
}

void QtDialogs::error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, AppTitle(), text, QMessageBox::Ok, ActiveWindow());
    Run(box);
}

QString QtDialogs::chooseOpenFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

QString QtDialogs::chooseSaveFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

} // namespace orvik

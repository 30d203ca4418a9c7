#include "widgets/Dialogs.h"

#include "widgets/ExportFile.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
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

// Room for the window manager's buttons and icon beside a title.
constexpr int kTitleBarButtons = 110;

// A message box wide enough for its whole title, which the window manager
// writes in its own (bold, larger) letters, and, like the lab windows,
// without minimise and maximise buttons.
class MessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // sizes the box to its text
        QFont title = font();
        title.setBold(true);
        title.setPointSizeF(title.pointSizeF() * 1.25);
        const int needed = QFontMetrics(title).horizontalAdvance(windowTitle()) + kTitleBarButtons;
        if (width() < needed)
            setFixedWidth(needed);
        PrepareFixedWindow(this);
    }
};

int Run(MessageBox& box) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint); // above the lab windows, which stay on top
    return ExecAndRefocus(box);
}

// Qt's file dialog, which refuses a file name to save under that the program
// could not write as typed (see FileNameProblem) and lets the student type
// another, instead of reading a quote as a list of names and saving elsewhere.
// It asks before replacing a file in a box of the program's own (wide
// enough for the dialog's title), and offers no minimise button.
class FileDialog : public QFileDialog {
public:
    FileDialog(QWidget* parent, const QString& title, bool askOverwrite)
        : QFileDialog(parent, title), askOverwrite_(askOverwrite) {
        setOption(QFileDialog::DontConfirmOverwrite);
    }

    void accept() override {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (acceptMode() == AcceptSave && edit) {
            if (const QString problem = FileNameProblem(edit->text()); !problem.isEmpty()) {
                MessageBox box(QMessageBox::Warning, AppTitle(), problem, QMessageBox::Ok, this);
                box.setObjectName(QStringLiteral("fileNameRefused"));
                Run(box);
                return;
            }
            if (!mayReplace())
                return;
        }
        QFileDialog::accept();
    }

protected:
    void showEvent(QShowEvent* event) override {
        QFileDialog::showEvent(event);
        PrepareFixedWindow(this);
    }

private:
    // Qt's own question, in Qt's own words.
    bool mayReplace() {
        const QString path = selectedFiles().value(0);
        const QFileInfo file(path);
        if (!askOverwrite_ || path.isEmpty() || !file.exists() || file.isDir())
            return true;
        MessageBox box(QMessageBox::Warning, windowTitle(),
                       QCoreApplication::translate("QFileDialog",
                                                   "%1 already exists.\nDo you want to replace it?")
                           .arg(file.fileName()),
                       QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("replaceQuestion"));
        box.setDefaultButton(QMessageBox::No);
        return Run(box) == QMessageBox::Yes;
    }

    bool askOverwrite_;
};

QString RunFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    FileDialog dialog(ActiveWindow(), options.title, options.askOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(options.filter.split(";;"));
    dialog.setDefaultSuffix(options.defaultSuffix);
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
    MessageBox box(QMessageBox::Question, caption, text,
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
    MessageBox box(QMessageBox::Question, AppTitle(), text, QMessageBox::Yes | QMessageBox::No,
                   ActiveWindow());
    return Run(box) == QMessageBox::Yes;
}

void QtDialogs::inform(const QString& text) {
    MessageBox box(QMessageBox::NoIcon, AppTitle(), text, QMessageBox::Ok, ActiveWindow());
    Run(box);
}

void QtDialogs::error(const QString& text) {
    MessageBox box(QMessageBox::Critical, AppTitle(), text, QMessageBox::Ok, ActiveWindow());
    Run(box);
}

QString QtDialogs::chooseOpenFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

QString QtDialogs::chooseSaveFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

} // namespace orvik

#pragma once

#include "workbook/Workbook.h"

#include <QMainWindow>

#include <array>

class QLabel;
class QTimer;

namespace orvik {

class AppContext;

// TForm1: the student's home. Shows the student data and which lab parts
// are done, and carries the File commands, the entries to the guide, the
// student data dialog and report printing, and the help texts.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx);

    // File commands.
    void newWorkbook();
    void openWorkbook();
    // Saves to `name`, or asks for a name when it is empty. Returns true
    // when the workbook was written.
    bool saveWorkbook(const QString& name);
    void saveWorkbookAs() { saveWorkbook(QString()); }

    // The save question before New, Open and closing: true when the command
    // may go on (No, or Yes and the save succeeded).
    bool askToSave();

    // Shows the student texts of the workbook again.
    void refreshStudent();
    // Shows PartDone in the indicators (the 1000 ms timer calls it).
    void refreshIndicators();

    // The path proposed by the file dialogs: "new.orvik" in the program's
    // directory, or in the home folder when that directory is not writable.
    QString proposedPath() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    QWidget* buildBanner();
    QWidget* buildStudentPanel();
    QWidget* buildStatisticsPanel();
    void showStudentData();
    void showReport();
    void showAbout();

    AppContext& ctx_;
    std::array<QLabel*, kPartCount> notDone_{};
    std::array<QLabel*, kPartCount> done_{};
    QLabel* student_ = nullptr;
    QLabel* group_ = nullptr;
    QLabel* prepod_ = nullptr;
    QLabel* variant_ = nullptr;
    QTimer* indicatorTimer_ = nullptr;
};

} // namespace orvik

#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/SplashWindow.h"
#include "report/ReportWindow.h"
#include "shell/AboutWindow.h"
#include "shell/StudentDataDialog.h"
#include "widgets/Banner.h"
#include "widgets/BoldLabel.h"
#include "widgets/Dialogs.h"
#include "widgets/WindowPlacement.h"
#include "workbook/WorkbookFile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvik {

namespace {

const char* const kIndicatorNames[7] = {"lab1p1", "lab1p2", "lab2p1", "lab2p2",
                                        "lab2p3", "lab2p4", "lab3p1"};

// A framed panel. A plain frame rather than a group box: the style draws a
// group box's frame from a picture, read and stretched over the panel, which
// would cost the start 1-3 ms before the main window can show.
QFrame* FramedPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

QToolButton* LargeButton(const QPixmap& picture, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setIcon(picture);
    button->setIconSize(picture.size());
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setFixedSize(picture.width() + 12, picture.height() + 12);
    return button;
}

// Runs the event loop until `window` is hidden.
void WaitUntilHidden(QWidget* window) {
    if (!window->isVisible())
        return;
    struct Watcher : QObject {
        QEventLoop loop;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Hide)
                loop.quit();
            return false;
        }
    } watcher;
    window->installEventFilter(&watcher);
    watcher.loop.exec();
    window->removeEventFilter(&watcher);
}

FileDialogOptions WorkbookDialog(const QString& title, const QString& proposed) {
    return {title, QStringLiteral("ORVIK lab files (*.orvik);;All files (*.*)"),
            QStringLiteral("orvik"), proposed};
}

} // namespace

MainWindow::MainWindow(AppContext& ctx)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      ctx_(ctx) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(AppTitle());
    setWindowIcon(ctx_.pictures.AppIcon);
    ResetWorkbook(ctx_.state);

    buildMenus();
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 8);
    outer->setSpacing(6);
    outer->addWidget(buildBanner());
    auto* panels = new QHBoxLayout;
    panels->setContentsMargins(10, 0, 10, 0);
    panels->setSpacing(10);
    panels->addWidget(buildStudentPanel());
    panels->addWidget(buildStatisticsPanel(), 1);
    outer->addLayout(panels);
    setCentralWidget(central);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    refreshStudent();
    refreshIndicators();
    indicatorTimer_ = new QTimer(this);
    indicatorTimer_->setInterval(1000);
    connect(indicatorTimer_, &QTimer::timeout, this, &MainWindow::refreshIndicators);
    indicatorTimer_->start();
}

void MainWindow::buildMenus() {
    const auto guarded = [this](auto member) {
        return [this, member] { Guarded(ctx_, [this, member] { (this->*member)(); }); };
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->addAction(QStringLiteral("Новая"), this, guarded(&MainWindow::newWorkbook));
    file->addSeparator();
    file->addAction(QStringLiteral("Открыть"), this, guarded(&MainWindow::openWorkbook));
    file->addAction(QStringLiteral("Сохранить"), this,
                    [this] { saveWorkbook(QString::fromStdString(ctx_.state.WorkbookFileName)); });
    file->addAction(QStringLiteral("Сохранить как..."), this, [this] { saveWorkbookAs(); });
    file->addSeparator();
    file->addAction(QStringLiteral("Выход"), this, &QWidget::close);

    QMenu* lab = menuBar()->addMenu(QStringLiteral("Лабораторная работа"));
    lab->addAction(QStringLiteral("1. Данные студента"), this,
                   guarded(&MainWindow::showStudentData));
    lab->addAction(QStringLiteral("2. Выполнение лабораторных"), this,
                   [this] { Guarded(ctx_, [this] { ctx_.OpenGuide(); }); });
    lab->addAction(QStringLiteral("3. Печать отчета"), this, guarded(&MainWindow::showReport));

    QMenu* help = menuBar()->addMenu(QStringLiteral("Справка"));
    const auto task = [this](int index) {
        return [this, index] { Guarded(ctx_, [this, index] { ctx_.ShowTaskText(index); }); };
    };
    help->addAction(QStringLiteral("Методические указания по курсу ОРВИК"), this,
                    task(TaskCourseGuide));
    help->addSeparator();
    help->addAction(QStringLiteral("Задание на лабораторную работу 1"), this, task(TaskLab1));
    help->addAction(QStringLiteral("Задание на лабораторную работу 2"), this, task(TaskLab2));
    help->addAction(QStringLiteral("Задание на лабораторную работу 3"), this, task(TaskLab3));
    help->addSeparator();
    help->addAction(QStringLiteral("О программе"), this, guarded(&MainWindow::showAbout));
}

QWidget* MainWindow::buildBanner() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* banner =
        new Banner(ctx_.pictures, QStringLiteral("Лабораторный комплекс \"Орвик\""), box);
    layout->addWidget(banner);

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(8, 0, 8, 0);
    tools->setSpacing(2);
    const auto tool = [&](const QPixmap& picture, const QString& hint, auto action) {
        auto* button = new QToolButton(box);
        button->setIcon(picture);
        button->setIconSize(picture.size());
        button->setAutoRaise(true); // flat
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        connect(button, &QToolButton::clicked, this, action);
        tools->addWidget(button);
    };
    tool(ctx_.pictures.ButtonNew, QStringLiteral("Новая"),
         [this] { Guarded(ctx_, [this] { newWorkbook(); }); });
    tool(ctx_.pictures.ButtonOpen, QStringLiteral("Открыть"),
         [this] { Guarded(ctx_, [this] { openWorkbook(); }); });
    tool(ctx_.pictures.ButtonSave, QStringLiteral("Сохранить"),
         [this] { saveWorkbook(QString::fromStdString(ctx_.state.WorkbookFileName)); });
    tool(ctx_.pictures.ButtonSaveAs, QStringLiteral("Сохранить как..."),
         [this] { saveWorkbookAs(); });
    tools->addStretch();
    layout->addLayout(tools);
    return box;
}

QWidget* MainWindow::buildStudentPanel() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeBoldLabel(QStringLiteral("Отчет по лабораторным работам"), column));
    auto* panel = FramedPanel(column);
    auto* grid = new QVBoxLayout(panel);
    auto* head = new QHBoxLayout;
    head->addWidget(MakeBoldLabel(QStringLiteral("Данные студента"), panel));
    head->addStretch();
    auto* studentButton =
        LargeButton(ctx_.pictures.ButtonStudent, QStringLiteral("1. Данные студента"), panel);
    connect(studentButton, &QToolButton::clicked, this,
            [this] { Guarded(ctx_, [this] { showStudentData(); }); });
    head->addWidget(studentButton);
    grid->addLayout(head);
    const auto value = [&](const QString& caption, const char* name) {
        grid->addWidget(MakeBoldLabel(caption, panel));
        auto* label = new QLabel(panel);
        label->setObjectName(QString::fromLatin1(name));
        label->setFixedWidth(210);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMargin(2);
        grid->addWidget(label);
        return label;
    };
    student_ = value(QStringLiteral("Студент"), "sStudent");
    group_ = value(QStringLiteral("Группа"), "sGroup");
    prepod_ = value(QStringLiteral("Преподаватель"), "sPrepod");
    variant_ = value(QStringLiteral("Вариант"), "sVar");
    grid->addStretch();
    auto* reportButton =
        LargeButton(ctx_.pictures.ButtonReport, QStringLiteral("3. Печать отчета"), panel);
    connect(reportButton, &QToolButton::clicked, this,
            [this] { Guarded(ctx_, [this] { showReport(); }); });
    grid->addWidget(reportButton, 0, Qt::AlignHCenter);
    layout->addWidget(panel, 1);
    return column;
}

QWidget* MainWindow::buildStatisticsPanel() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeBoldLabel(QStringLiteral("Статистика выполнения лабораторных"), column));
    auto* panel = FramedPanel(column);
    auto* rows = new QGridLayout(panel);
    rows->setColumnStretch(1, 1);
    rows->setVerticalSpacing(4);
    auto* guideButton =
        LargeButton(ctx_.pictures.ButtonGuide, QStringLiteral("2. Выполнение лабораторных"), panel);
    connect(guideButton, &QToolButton::clicked, this,
            [this] { Guarded(ctx_, [this] { ctx_.OpenGuide(); }); });
    rows->addWidget(guideButton, 0, 0, 1, 2, Qt::AlignLeft);

    struct Row {
        const char* heading; // a lab work's heading before its first part, else null
        QString caption;
    };
    const Row parts[kPartCount] = {
        {"Лабораторная работа 1", QStringLiteral("Расчет характеристик процессора")},
        {nullptr, QStringLiteral("Деловая игра")},
        {"Лабораторная работа 2", QStringLiteral("Оценка характеристик задачи")},
        {nullptr, QStringLiteral("Расчет характеристик процессора")},
        {nullptr, QStringLiteral("Расчет характеристик памяти")},
        {nullptr, QStringLiteral("Расчет характеристик компьютера")},
        {"Лабораторная работа 3", QStringLiteral("Моделирование деятельности компьютерной фирмы")},
    };
    int r = 1;
    for (int i = 0; i < kPartCount; ++i) {
        if (parts[i].heading)
            rows->addWidget(MakeBoldLabel(QString::fromUtf8(parts[i].heading), panel), r++, 0, 1,
                            2);
        // The two pictures of a part stand at the same place; one is visible.
        notDone_[i] = new QLabel(panel);
        notDone_[i]->setObjectName(QString::fromLatin1(kIndicatorNames[i]));
        notDone_[i]->setPixmap(ctx_.pictures.ImageBlue);
        done_[i] = new QLabel(panel);
        done_[i]->setObjectName(QString::fromLatin1(kIndicatorNames[i]) + u'd');
        done_[i]->setPixmap(ctx_.pictures.ImageGreen);
        rows->addWidget(notDone_[i], r, 0);
        rows->addWidget(done_[i], r, 0);
        rows->addWidget(new QLabel(parts[i].caption, panel), r++, 1);
    }
    rows->setRowStretch(r, 1);
    layout->addWidget(panel, 1);
    return column;
}

void MainWindow::refreshIndicators() {
    // Any byte but 0 counts as done (a damaged file may hold others), so one
    // picture of each pair is always shown.
    const auto& partDone = ctx_.state.workbook.PartDone;
    for (int i = 0; i < kPartCount; ++i)
        done_[i]->setVisible(partDone[i] != 0);
    for (int i = 0; i < kPartCount; ++i)
        notDone_[i]->setVisible(partDone[i] == 0);
}

void MainWindow::refreshStudent() {
    // Each text on one line, cut with "…" where the label ends: the window
    // keeps its size whatever a file holds. The whole text is the tooltip.
    const auto show = [](QLabel* label, const std::string& cp1251) {
        const QString line = AppContext::OneLine(AppContext::FromWorkbookText(cp1251));
        const int room = label->contentsRect().width() - 2 * label->margin();
        const QString shown = label->fontMetrics().elidedText(line, Qt::ElideRight, room);
        label->setText(shown);
        label->setToolTip(shown == line ? QString() : line);
    };
    const Workbook& wb = ctx_.state.workbook;
    show(student_, wb.sStudent);
    show(group_, wb.sGroup);
    show(prepod_, wb.sPrepod);
    show(variant_, wb.sVar);
}

QString MainWindow::proposedPath() const {
    QString dir = QString::fromStdString(ctx_.state.ProgramDir);
    if (dir.isEmpty() || !QFileInfo(dir).isWritable())
        dir = QDir::homePath() + u'/';
    return dir + QStringLiteral("new.orvik");
}

bool MainWindow::askToSave() {
    if (!ctx_.state.WorkbookModified)
        return true;
    switch (ctx_.dialogs.confirm(QStringLiteral("Confirm"),
                                 QStringLiteral("Сохранить данные текущей лабораторной ?"))) {
    case Dialogs::Answer::Cancel:
        return false;
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Yes:
        // A cancelled or failed save stops the command: nothing is lost.
        return saveWorkbook(QString::fromStdString(ctx_.state.WorkbookFileName));
    }
    return false;
}

bool MainWindow::saveWorkbook(const QString& name) {
    QString path = name;
    if (path.isEmpty()) {
        path = ctx_.dialogs.chooseSaveFile(
            WorkbookDialog(QStringLiteral("Сахранить как..."), proposedPath()));
        if (path.isEmpty())
            return false;
    }
    ctx_.state.WorkbookFileName = path.toStdString();
    return Guarded(ctx_, [&] {
        SaveWorkbookFile(ctx_.state.workbook, path.toStdString());
        ctx_.state.WorkbookModified = false;
    });
}

void MainWindow::newWorkbook() {
    if (!askToSave())
        return;
    ResetWorkbook(ctx_.state);
    refreshStudent();
    refreshIndicators();
    showStudentData();
    WaitUntilHidden(ctx_.windows.studentData.get());
    ctx_.state.workbook.GuideAutoStart = 1;
    ctx_.OpenGuide();
}

void MainWindow::openWorkbook() {
    if (!askToSave())
        return;
    const QString path =
        ctx_.dialogs.chooseOpenFile(WorkbookDialog(QStringLiteral("Открыть"), proposedPath()));
    if (path.isEmpty())
        return;
    // The file is read whole before anything changes: a file that cannot
    // be read leaves the workbook, its name and its modified flag as they were.
    std::string gameMessage;
    ctx_.state.workbook = OpenWorkbookFile(path.toStdString(), &gameMessage);
    ctx_.state.WorkbookFileName = path.toStdString();
    ctx_.state.WorkbookModified = false;
    refreshStudent();
    if (!gameMessage.empty()) // the workbook opened; only its game was lost
        ctx_.dialogs.inform(QString::fromStdString(gameMessage));
}

void MainWindow::showStudentData() {
    if (ctx_.windows.studentData)
        ctx_.windows.studentData->show();
}

void MainWindow::showReport() {
    if (ctx_.windows.report)
        ctx_.windows.report->open();
}

void MainWindow::showAbout() {
    if (ctx_.windows.about)
        ctx_.windows.about->show();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    CentreAtSize(this, nullptr);
    Guarded(ctx_,
            [this] { LoadTextStore(ctx_.state.Texts, ctx_.state.ProgramDir + "orviklab.db2"); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!askToSave()) {
        event->ignore();
        return;
    }
    event->accept();
    // The splash window is the primary window: closing it ends the program.
    if (ctx_.windows.splash)
        ctx_.windows.splash->close();
    QCoreApplication::quit();
}

} // namespace orvik

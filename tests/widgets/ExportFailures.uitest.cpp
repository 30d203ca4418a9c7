// Exports that cannot be written: the student reads, in the program's words,
// which file failed and why, and nothing is left behind. Names that could not
// be written as typed are refused in the save dialog. A written export says
// where it went.
#include "core/Errors.h"
#include "support/SmallDisk.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "widgets/Dialogs.h"
#include "widgets/ExportFile.h"
#include "widgets/SavedNotice.h"
#include "widgets/TableExport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <sys/mount.h>

using namespace orvik;
using namespace orvik::test;

namespace {

namespace fs = std::filesystem;

QString FailureOf(const std::function<void()>& write) {
    try {
        write();
    } catch (const Error& e) {
        return QString::fromStdString(e.what());
    }
    return QString();
}

QStringList Names(const std::string& folder) {
    QStringList names;
    for (const auto& entry : fs::directory_iterator(folder))
        names << QString::fromStdString(entry.path().filename().string());
    return names;
}

// A table of `rows` rows of text and numbers, as a window would show it.
ShownTable BigTable(int rows) {
    ShownTable table{QStringLiteral("Таблица"), {"A", "B"}, {}, {}};
    for (int r = 0; r < rows; ++r)
        table.rows << QStringList{QStringLiteral("строка %1 ").arg(r).repeated(8),
                                  QString::number(r) + ".25"};
    return table;
}

// The two ways an export writes: bytes (PDF, PNG, SVG) and a spreadsheet.
struct Writer {
    const char* what;
    void (*write)(const QString& path);
};
const Writer kWriters[] = {
    {"bytes", [](const QString& path) { WriteExportFile(path, QByteArray(400 * 1024, 'x')); }},
    {"xlsx",
     [](const QString& path) {
         WriteExportFile(path, [](int, const std::string& temp) {
             WriteXlsx(BigTable(6000), QStringLiteral("Студент"), temp);
         });
     }},
};

TEST(ExportFailures, EachFailureNamesTheFileAndItsReasonAndLeavesNothing) {
    TempFolder folder;
    const std::string disk = folder.file("disk");
    fs::create_directory(disk);
    const bool mounted = MountSmallDisk(disk, 64).empty();
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.what);
        struct Row {
            const char* what;
            QString path;
            const char* reason;
        };
        std::vector<Row> rows{
            {"vanished folder", QString::fromStdString(folder.file("gone/отчет.pdf")),
             "не найдена"},
            {"name too long", QString::fromStdString(folder.file(std::string(300, 'a'))),
             "недопустимое имя файла"},
            {"a folder's name", QString::fromStdString(folder.path()), "это папка, а не файл"},
        };
        if (mounted)
            rows.push_back({"full disk", QString::fromStdString(disk + "/отчет.pdf"),
                            "на диске не осталось места"});
        for (const Row& row : rows) {
            SCOPED_TRACE(row.what);
            const QString message = FailureOf([&] { w.write(row.path); });
            EXPECT_TRUE(message.startsWith("Не удается "));
            EXPECT_TRUE(message.contains("\"" + row.path + "\"")) << message.toStdString();
            EXPECT_TRUE(message.contains(QString::fromUtf8(row.reason))) << message.toStdString();
            EXPECT_FALSE(message.contains(".orvik")) << message.toStdString(); // no temporary name
            for (const char* english : {"rror", "Disk", "Zip", "ZIP"})
                EXPECT_FALSE(message.contains(english)) << message.toStdString();
        }
        if (mounted) {
            EXPECT_TRUE(Names(disk).isEmpty());
        }
    }
    if (!mounted)
        GTEST_SKIP() << "ORVIK-SKIP: no tmpfs of our own for the full disk";

    // A read-only disk.
    ASSERT_EQ(::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const QString onReadOnly = QString::fromStdString(disk + "/a.png");
    const QString message = FailureOf([&] { kWriters[0].write(onReadOnly); });
    EXPECT_TRUE(message.contains("\"" + onReadOnly + "\": диск защищен от записи"))
        << message.toStdString();
    Unmount(disk);
}

TEST(ExportNames, NamesTheDialogCouldNotWriteAsTypedAreRefused) {
    const struct {
        const char* typed;
        bool refused;
    } rows[] = {{"отчет.pdf", false},
                {"Иванов И.И. ИВТ-21 (2).xlsx", false},
                {"/home/student/папка/график.png", false},
                {"отчет:*?\"<>|.pdf", true},
                {"отчет\".pdf", true},
                {"итог?.xlsx", true},
                {"a\\b.png", true},
                {"tab\there.png", true}};
    for (const auto& row : rows) {
        const QString problem = FileNameProblem(QString::fromUtf8(row.typed));
        EXPECT_EQ(!problem.isEmpty(), row.refused) << row.typed;
        if (row.refused) {
            EXPECT_TRUE(problem.startsWith("Имя файла \"")) << problem.toStdString();
        }
    }

    // A name the system's dialog gave back anyway is refused, and the dialog
    // comes again, proposing the name with those characters replaced.
    TestApp app;
    QTemporaryDir dir;
    app.dialogs.saveFiles = {dir.filePath("a\"b.pdf"), dir.filePath("good.pdf")};
    const QString chosen = ChooseExportFile(app.ctx, {"Сохранить", "Документ PDF (*.pdf)", "pdf"},
                                            QStringLiteral("Отчет"));
    EXPECT_EQ(chosen, dir.filePath("good.pdf"));
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.messages[0].contains("a\"b.pdf"));
    ASSERT_EQ(app.dialogs.saveDialogs.size(), 2);
    EXPECT_EQ(app.dialogs.saveDialogs[1].proposed, dir.filePath("a_b.pdf"));
}

// The real save dialog: a name with a quote is refused with a message and
// the dialog stays for another name; the name typed next is the one saved.
TEST(ExportNames, TheSaveDialogRefusesANameWithAQuote) {
    QTemporaryDir dir;
    QStringList refusals;
    int step = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            refusals << box->text();
            box->accept();
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            return;
        }
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText(step++ == 0 ? QStringLiteral("отчет:*?\"<>|.pdf")
                                  : QStringLiteral("отчет.pdf"));
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    driver.start(50);
    QtDialogs dialogs;
    FileDialogOptions options{"Сохранить", "Документ PDF (*.pdf)", "pdf",
                              QDir(dir.path()).filePath("Отчет.pdf"), false};
    const QString chosen = dialogs.chooseSaveFile(options);
    driver.stop();
    EXPECT_EQ(chosen, QDir(dir.path()).filePath("отчет.pdf"));
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_TRUE(refusals[0].contains("отчет:*?\"<>|.pdf")) << refusals[0].toStdString();
}

// Replacing a file is asked in a box wide enough for the dialog's title,
// which the window manager writes in larger, bold letters; "Да" replaces.
TEST(ExportNames, TheReplaceQuestionShowsItsWholeTitle) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("new.orvik");
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const QString title = QStringLiteral("Сохранить как...");
    QString asked;
    int width = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            asked = box->windowTitle() + u'|' + box->text();
            width = box->width();
            box->button(QMessageBox::Yes)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    driver.start(50);
    QtDialogs dialogs;
    const QString chosen = dialogs.chooseSaveFile({title, "ORVIK (*.orvik)", "orvik", path});
    driver.stop();
    EXPECT_EQ(chosen, path);
    // Qt's own words, in the language its translations give the program.
    EXPECT_EQ(asked, title + u'|' +
                         QCoreApplication::translate(
                             "QFileDialog", "%1 already exists.\nDo you want to replace it?")
                             .arg("new.orvik"));
    QFont bold = QApplication::font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    EXPECT_GT(width, QFontMetrics(bold).horizontalAdvance(title) + 3 * 24)
        << "title and its buttons";
}

// The notice of a written export: in the window, naming the whole path, and
// gone after a while by itself; a second export replaces the first notice.
TEST(SavedNotice, TellsWhereTheFileWentWithoutAClick) {
    QWidget window;
    window.resize(400, 300);
    window.show();
    ShowSavedNotice(&window, "/tmp/first.pdf");
    ShowSavedNotice(&window, "/home/student/Отчеты/Иванов И.И. ИВТ-21.pdf");
    const auto notices = window.findChildren<QLabel*>("savedNotice");
    ASSERT_EQ(notices.size(), 1);
    QLabel* notice = notices[0];
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "Сохранено в файл: /home/student/Отчеты/Иванов И.И. ИВТ-21.pdf");
    EXPECT_TRUE(window.rect().contains(notice->geometry()));
    EXPECT_FALSE(notice->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !notice->isVisible(); }, 10000));
}

} // namespace

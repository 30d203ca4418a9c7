// Prints report pages through a CUPS server of the test's own: its own
// configuration, spool and socket in a temporary folder, and a cups-pdf
// printer as the default printer, whose PDF files land in that folder too.
#include "report/ReportWindow.h"
#include "support/ReportTestHelpers.h"
#include "support/TestApp.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

using namespace orvik;
using namespace orvik::test;

namespace {

const char* kCupsd = "/usr/sbin/cupsd";
const char* kBackend = "/usr/lib/cups/backend/cups-pdf";
const char* kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
const char* kQueue = "ORVIK_REPORT_TEST";

bool WriteText(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}

class CupsPrinting : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        if (geteuid() != 0)
            skipReason = "the test's CUPS server needs root (cupsd, lpadmin)";
        else if (!QFile::exists(kCupsd) || !QFile::exists(kBackend) || !QFile::exists(kPpd))
            skipReason = "cupsd or the cups-pdf printer is not installed";
        else if (!getpwnam("lp") || !getgrnam("lp"))
            skipReason = "there is no user and group lp for cupsd";
        if (!skipReason.isEmpty())
            return;
        dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/orvik-cups-XXXXXX"));
        const QString root = dir->path();
        const gid_t lp = getgrnam("lp")->gr_gid;
        chmod(root.toLocal8Bit().constData(), 0755);
        for (const char* sub : {"spool", "spool/tmp", "cache", "state", "log", "out", "pdfspool"}) {
            QDir().mkpath(root + "/" + sub);
            const QByteArray p = (root + "/" + sub).toLocal8Bit();
            chown(p.constData(), 0, lp);
            chmod(p.constData(), 0777);
        }
        socket = root + "/cups.sock";
        WriteText(root + "/cupsd.conf",
                  "Listen " + socket +
                      "\nLogLevel warn\nWebInterface No\nBrowsing Off\nDefaultAuthType None\n"
                      "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                      "<Policy default>\n  <Limit All>\n    Order deny,allow\n    Allow all\n"
                      "  </Limit>\n</Policy>\n");
        WriteText(root + "/cups-files.conf",
                  "User lp\nGroup lp\nSystemGroup root\nServerRoot " + root + "\nRequestRoot " +
                      root + "/spool\nTempDir " + root + "/spool/tmp\nCacheDir " + root +
                      "/cache\nStateDir " + root + "/state\nErrorLog " + root +
                      "/log/error_log\nAccessLog " + root + "/log/access_log\nPageLog " + root +
                      "/log/page_log\n");
        // cups-pdf reads the settings of a printer named in its device address.
        const QString setup = QStringLiteral("orvik-test-%1").arg(getpid());
        pdfConfig = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(setup);
        WriteText(pdfConfig, "Out " + root + "/out\nAnonDirName " + root + "/out\nSpool " + root +
                                 "/pdfspool\nLog " + root + "/log\nLabel 2\nGrp lp\n");

        pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive the test
            execl(kCupsd, kCupsd, "-f", "-c", (root + "/cupsd.conf").toLocal8Bit().constData(),
                  "-s", (root + "/cups-files.conf").toLocal8Bit().constData(), nullptr);
            _exit(127);
        }
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
        qputenv("CUPS_SERVERROOT", root.toLocal8Bit());
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        // A busy machine may take a while to start cupsd; lpadmin needs a
        // scheduler that really answers.
        QElapsedTimer t;
        t.start();
        while (!SchedulerAnswers() && !SchedulerExited() && t.elapsed() < 60000)
            QThread::msleep(100);
        if (!SchedulerAnswers()) {
            skipReason = "the test's cupsd did not start: " + ErrorLog();
            return;
        }
        QProcess add;
        add.start("lpadmin", {"-p", kQueue, "-E", "-v", "cups-pdf:/" + setup, "-P", kPpd});
        add.waitForFinished(30000);
        QProcess def;
        def.start("lpadmin", {"-d", kQueue});
        def.waitForFinished(30000);
        if (add.exitCode() != 0 || def.exitCode() != 0)
            setupError = "lpadmin failed: " + QString::fromUtf8(add.readAllStandardError()) +
                         QString::fromUtf8(def.readAllStandardError());
    }

    static void TearDownTestSuite() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            int status = 0;
            waitpid(pid, &status, 0);
            pid = -1;
        }
        if (!pdfConfig.isEmpty())
            QFile::remove(pdfConfig);
        dir.reset();
    }

    // The socket takes connections and lpstat finds the scheduler running
    // (it prints "scheduler is not running" when it is not).
    static bool SchedulerAnswers() {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = socket.toLocal8Bit();
        std::memcpy(address.sun_path, path.constData(),
                    std::min<std::size_t>(path.size(), sizeof address.sun_path - 1));
        const bool accepts =
            fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!accepts)
            return false;
        QProcess lpstat;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        lpstat.setProcessEnvironment(environment);
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-r")});
        return lpstat.waitForFinished(30000) && lpstat.exitCode() == 0 &&
               lpstat.readAllStandardOutput().trimmed() == "scheduler is running";
    }

    static bool SchedulerExited() {
        int status = 0;
        if (pid <= 0 || ::waitpid(pid, &status, WNOHANG) != pid)
            return false;
        pid = -1;
        return true;
    }

    static QString ErrorLog() {
        QFile f(dir->path() + "/log/error_log");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // The PDF files written so far, in job order (their names end in job_<id>).
    static QStringList OutputFiles() {
        QStringList files;
        QDirIterator it(dir->path() + "/out", {"*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        const auto jobId = [](const QString& f) {
            static const QRegularExpression id(QStringLiteral("job_(\\d+)\\.pdf$"));
            return id.match(f).captured(1).toInt();
        };
        std::sort(files.begin(), files.end(),
                  [&](const QString& a, const QString& b) { return jobId(a) < jobId(b); });
        return files;
    }

    void SetUp() override {
        if (!skipReason.isEmpty())
            GTEST_SKIP() << skipReason.toStdString();
        ASSERT_TRUE(setupError.isEmpty()) << setupError.toStdString();
    }

    static inline QString skipReason;
    static inline QString setupError;
    static inline QString socket;
    static inline QString pdfConfig;
    static inline pid_t pid = -1;
    static inline std::unique_ptr<QTemporaryDir> dir;
};

TEST_F(CupsPrinting, ThreeCheckedRowsGiveThreeOnePageJobsInListOrder) {
    TestApp app;
    app.wb().PartDone[PartProcessor1] = 1;
    ReportWindow* report = app.ctx.windows.report.get();
    report->open();
    report->list()->item(0)->setCheckState(Qt::Checked); // title page
    report->list()->item(3)->setCheckState(Qt::Checked); // graph kind 1
    report->list()->item(8)->setCheckState(Qt::Checked); // graph kind 6
    ButtonNamed(report, "Печать")->click();
    EXPECT_TRUE(app.dialogs.questions.isEmpty()) << "no printer was found";
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    EXPECT_EQ(app.state.GraphKind, 6);

    QElapsedTimer t;
    t.start();
    while ((OutputFiles().size() < 3 || !RunTool("lpstat", {"-o"}).trimmed().isEmpty()) &&
           t.elapsed() < 180000)
        QThread::msleep(250);
    const QStringList files = OutputFiles();
    ASSERT_EQ(files.size(), 3) << ErrorLog().toStdString();
    // Every page is vector drawing, graphs included: no pictures. The
    // printed PDFs carry no text layer to read back (the PDF printer turns
    // the fonts into outlines), so the two graph pages are told apart by
    // their rendering: two different graph kinds look different.
    for (int i = 0; i < 3; ++i) {
        const QString list = RunTool("pdfimages", {"-list", files[i]});
        EXPECT_EQ(list.count(QRegularExpression("\\n\\s*1\\s+\\d+\\s+image")), 0)
            << files[i].toStdString() << list.toStdString();
        EXPECT_EQ(PdfPageCount(files[i]), 1) << files[i].toStdString();
        EXPECT_TRUE(PdfIsA4(files[i])) << files[i].toStdString();
    }
    const auto render = [](const QString& file) {
        QProcess p;
        p.start(QStringLiteral("pdftoppm"), {"-r", "30", "-gray", file});
        p.waitForFinished(60000);
        return p.readAllStandardOutput();
    };
    const QByteArray second = render(files[1]);
    EXPECT_FALSE(second.isEmpty());
    EXPECT_NE(second, render(files[2])) << "both graph pages show the same picture";
    report->close();
}

} // namespace

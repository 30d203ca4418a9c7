#include "report/TitlePage.h"

#include "widgets/UiContext.h"
#include "workbook/Workbook.h"

#include <QFile>

namespace orvik {

namespace {

const QString kArial = QStringLiteral("Arial");
const QString kCourier = QStringLiteral("Courier New");

// One text element of the page: its box in mm, font and alignment.
struct TitleElement {
    double left, top, width, height;
    const QString* family;
    double points;
    bool bold;
    Qt::Alignment align;
};

constexpr double kCaptionLeft = 91.0, kCaptionWidth = 34.1;
constexpr double kFieldLeft = 129.1, kFieldWidth = 68.0;

const TitleElement kInstitution{21.2, 23.3, 173.8, 19.3, &kArial, 14, false, Qt::AlignHCenter};
const TitleElement kCourse{21.2, 117.7, 176.0, 17.2, &kCourier, 16, true, Qt::AlignHCenter};
const TitleElement kYear{19.1, 269.4, 178.1, 4.5, &kArial, 10, false, Qt::AlignHCenter};

// The caption and field rows of the student's data, top to bottom.
struct DataRow {
    const char* caption;
    double top;
    double fieldHeight;
};
constexpr DataRow kVariantRow{"Вариант", 179.7, 4.5};
constexpr DataRow kGroupRow{"Группа", 190.8, 4.5};
constexpr DataRow kStudentRow{"Студент", 197.1, 13.0};
constexpr DataRow kTeacherRow{"Преподаватель", 212.2, 13.0};

void Draw(PageCanvas& canvas, const TitleElement& e, const QString& text) {
    canvas.textBox(QRectF(e.left, e.top, e.width, e.height), PageFont(*e.family, e.points, e.bold),
                   e.align, text);
}

void Draw(PageCanvas& canvas, const DataRow& row, const QString& value) {
    canvas.textBox(QRectF(kCaptionLeft, row.top, kCaptionWidth, 4.5), PageFont(kArial, 10, true),
                   Qt::AlignRight, QString::fromUtf8(row.caption));
    canvas.textBox(QRectF(kFieldLeft, row.top, kFieldWidth, row.fieldHeight), PageFont(kArial, 10),
                   Qt::AlignLeft, value);
}

} // namespace

TitlePage::TitlePage(UiContext& ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm21"));
    setWindowTitle(QStringLiteral(""));
}

QString TitlePage::SystemInstitutionFile() {
    return QStringLiteral("/etc/orvik/institution.txt");
}

QString TitlePage::ReadInstitutionName(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // A name is a line or three; a larger file is no name list.
    const QString text = QString::fromUtf8(file.read(64 * 1024));
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = UiContext::OneLine(line).trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(u'#'))
            lines << trimmed;
    }
    return lines.join(u' ').left(kInstitutionLength);
}

QString TitlePage::CourseLine() {
    return QStringLiteral("Лабораторные работы по дисциплине \"Орвик\"");
}

void TitlePage::fill(const Workbook& workbook, int year) {
    institution_ = ReadInstitutionName(institutionFile_);
    yearLine_ = QStringLiteral("Москва, ") + QString::number(year).rightJustified(4, u'0');
    // One line each, as the main window shows them: a line break from a file
    // would push the rows below out of their places.
    variant_ = UiContext::OneLine(UiContext::FromWorkbookText(workbook.sVar));
    student_ = UiContext::OneLine(UiContext::FromWorkbookText(workbook.sStudent));
    teacher_ = UiContext::OneLine(UiContext::FromWorkbookText(workbook.sPrepod));
    group_ = UiContext::OneLine(UiContext::FromWorkbookText(workbook.sGroup));
}

QString TitlePage::documentName() const {
    return QStringLiteral("Титульный лист");
}

void TitlePage::paintPage(PageCanvas& canvas) const {
    canvas.frame(PrintableAreaMm(), 0.3);
    Draw(canvas, kInstitution, institution_);
    Draw(canvas, kCourse, CourseLine());
    Draw(canvas, kVariantRow, variant_);
    Draw(canvas, kGroupRow, group_);
    Draw(canvas, kStudentRow, student_);
    Draw(canvas, kTeacherRow, teacher_);
    Draw(canvas, kYear, yearLine_);
}

} // namespace orvik

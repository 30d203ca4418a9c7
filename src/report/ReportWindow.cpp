#include "report/ReportWindow.h"

#include "core/Errors.h"
#include "processor/DrawGraph.h"
#include "processor/Technology.h"
#include "report/GameReportPage.h"
#include "report/GraphPage.h"
#include "report/ReportPdf.h"
#include "report/ReportPrinter.h"
#include "report/TablePages.h"
#include "report/TitlePage.h"
#include "widgets/Buttons.h"
#include "widgets/Dialogs.h"
#include "widgets/ExportFile.h"
#include "widgets/SavedNotice.h"
#include "widgets/UiContext.h"
#include "workbook/VariantCurves.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvik {

ReportWindow::ReportWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm20"), QStringLiteral("Печать отчетов"),
               QStringLiteral("Печать отчетов")) {
    auto* text = new QLabel(
        QStringLiteral("Выберите, что следует распечатать из уже готовых отчетов"), this);
    text->setObjectName(QStringLiteral("Label1"));
    content()->addWidget(text);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CheckListBox1"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(420, 260);
    content()->addWidget(list_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        MakeButton(ctx, QStringLiteral("Просмотр"), this, [this] { previewSelected(); }));
    buttons->addWidget(MakeButton(ctx, QStringLiteral("Печать"), this, [this] { printChecked(); }));
    buttons->addWidget(
        MakeButton(ctx, QStringLiteral("Сохранить в PDF"), this, [this] { saveCheckedToPdf(); }));
    buttons->addWidget(
        MakeButton(ctx, QStringLiteral("Отметить все"), this, [this] { setAllChecked(true); }));
    buttons->addWidget(
        MakeButton(ctx, QStringLiteral("Снять все"), this, [this] { setAllChecked(false); }));
    buttons->addWidget(MakeButton(ctx, QStringLiteral("Закрыть"), this, [this] { close(); }));
    content()->addLayout(buttons);
}

void ReportWindow::addRow(const QString& text, int kind) {
    const int row = list_->count();
    if (row >= kPageKindCount)
        return;
    auto* item = new QListWidgetItem(text, list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    kinds_[static_cast<std::size_t>(row)] = kind;
}

bool ReportWindow::prepare() {
    list_->clear();
    kinds_.fill(PageNone);
    const Workbook& wb = ctx.workbook();
    addRow(QStringLiteral("Титульный лист"), PageTitle);
    if (wb.done(PartProcessor1)) {
        addRow(QStringLiteral("Лаб.1 - Таблица расчетов"), PageLab1Table);
        for (int g = 0; g < kReportGraphCount; ++g)
            addRow(QStringLiteral("Лаб.1 - график ") + ReportGraphName(g), PageFirstGraph + g);
    }
    if (wb.done(PartBusinessGame))
        addRow(QStringLiteral("Лаб.1 - деловая игра"), PageBusinessGame);
    if (wb.done(PartComputer))
        addRow(QStringLiteral("Лаб.2 - Таблицы расчетов"), PageLab2Tables);
    if (wb.done(PartFirm))
        addRow(QStringLiteral("Лаб.3 - Деятельность компьютерной фирмы"), PageFirm);
    list_->clearSelection();
    list_->setCurrentItem(nullptr, QItemSelectionModel::Clear);
    return true;
}

void ReportWindow::setAllChecked(bool checked) {
    for (int row = 0; row < list_->count(); ++row)
        list_->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void ReportWindow::FillTitlePage() {
    if (auto* page = ctx.window<TitlePage>(LabWindow::TitlePage))
        page->fill(ctx.workbook(), QDate::currentDate().year());
}

void ReportWindow::FillGraphPage(int g) {
    LabState& state = ctx.state;
    Workbook& wb = state.workbook;
    state.GraphKind = g;
    QImage& bitmap = ctx.GraphBitmapToDraw(kGraphPictureWidth, kGraphPictureHeight);
    const ProcessorRecord* variants[2] = {&wb.Circuit1, &wb.Circuit2};
    QImage pictures[2];
    std::shared_ptr<GraphCurves> curves[2];
    for (int i = 0; i < 2; ++i) {
        ComputeVariantCurves(state, *variants[i]);
        // The title names the technology of the variant drawn.
        curves[i] = std::make_shared<GraphCurves>(
            GraphCurves{wb.CurveTable, state.Curves,
                        QString::fromUtf8(TechnologyAt(wb.CurveTable[0][0].Technology).Name)});
        DrawGraph(bitmap, kGraphPictureWidth, kGraphPictureHeight, g,
                  GraphData{wb.CurveTable, state.Curves, curves[i]->technology});
        pictures[i] = bitmap.copy(0, 0, kGraphPictureWidth, kGraphPictureHeight);
    }
    // Pages paint the graphs from their curves, as sharp vector drawing.
    if (auto* page = ctx.window<GraphPage>(LabWindow::GraphPage))
        page->fill(g, pictures[0], pictures[1], curves[0], curves[1]);
}

bool ReportWindow::withPage(int kind, const std::function<void(const ReportPage&)>& use) {
    switch (kind) {
    case PageTitle:
        FillTitlePage();
        if (auto* page = ctx.window<TitlePage>(LabWindow::TitlePage))
            use(*page);
        return true;
    case PageLab1Table:
        use(ProcessorTablesPage(ctx.workbook()));
        return true;
    case PageLab2Tables:
        use(Lab2TablesPage(ctx.workbook()));
        return true;
    case PageFirm:
        use(FirmTablesPage(ctx.workbook()));
        return true;
    case PageBusinessGame:
        use(BusinessGamePage(ctx.workbook()));
        return true;
    default:
        if (kind >= PageFirstGraph && kind <= PageLastGraph) {
            FillGraphPage(kind - PageFirstGraph);
            if (auto* page = ctx.window<GraphPage>(LabWindow::GraphPage))
                use(*page);
            return true;
        }
        return false;
    }
}

void ReportWindow::previewSelected() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = list_->row(selected.front());
    if (row < 0 || row >= kPageKindCount)
        return;
    withPage(kinds_[static_cast<std::size_t>(row)],
             [this](const ReportPage& page) { PreviewReportPage(this, page); });
}

std::vector<int> ReportWindow::checkedKinds() const {
    std::vector<int> kinds;
    for (int row = 0; row < list_->count() && row < kPageKindCount; ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            kinds.push_back(kinds_[static_cast<std::size_t>(row)]);
    return kinds;
}

bool ReportWindow::pagesChecked() const {
    for (const int kind : checkedKinds())
        if (kind != PageNone)
            return true;
    return false;
}

void ReportWindow::printChecked() {
    const std::vector<int> kinds = checkedKinds();
    if (kinds.empty())
        return;
    // Without a printer the checked pages may go to one PDF file instead.
    if (!PrinterAvailable() && pagesChecked()) {
        if (ctx.dialogs.askYesNo(QStringLiteral("Принтер не найден.\nСохранить отмеченные "
                                                "страницы отчета в файл PDF ?")))
            choosePdfAndWrite();
        return;
    }
    for (const int kind : kinds)
        withPage(kind, [this](const ReportPage& page) { PrintReportPage(ctx, page); });
}

QString ReportWindow::pdfBaseName() const {
    const Workbook& wb = ctx.workbook();
    return SafeFileName(UiContext::FromWorkbookText(wb.sStudent) + u' ' +
                            UiContext::FromWorkbookText(wb.sGroup),
                        QStringLiteral("Отчет"));
}

void ReportWindow::saveCheckedToPdf() {
    if (!pagesChecked()) {
        ctx.dialogs.inform(QStringLiteral("Отметьте страницы отчета, которые нужно сохранить."));
        return;
    }
    choosePdfAndWrite();
}

void ReportWindow::choosePdfAndWrite() {
    const QString path =
        ChooseExportFile(ctx,
                         {QStringLiteral("Сохранить отчет в PDF"),
                          QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral("pdf")},
                         pdfBaseName());
    if (path.isEmpty())
        return;
    if (writeCheckedPdf(path))
        ShowSavedNotice(this, path);
    else
        ctx.dialogs.inform(QStringLiteral("Среди отмеченных строк нет страниц отчета."));
}

bool ReportWindow::writeCheckedPdf(const QString& path) {
    LabState& state = ctx.state;
    // Graph pages are filled as for a preview or a print, and leave the same.
    ReportPdf pdf(TitlePage::CourseLine(), UiContext::FromWorkbookText(state.workbook.sStudent));
    for (const int kind : checkedKinds())
        withPage(kind, [&pdf](const ReportPage& page) { pdf.add(page); });
    const QByteArray bytes = pdf.finish();
    if (bytes.isEmpty())
        return false;
    WriteExportFile(path, bytes);
    return true;
}

} // namespace orvik

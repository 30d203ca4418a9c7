#include "report/ReportWindow.h"

#include "core/Errors.h"
#include "processor/Curves.h"
#include "processor/DrawGraph.h"
#include "processor/Technology.h"
#include "report/GraphPage.h"
#include "report/ReportPrinter.h"
#include "report/TablePages.h"
#include "report/TitlePage.h"
#include "widgets/Buttons.h"
#include "widgets/Dialogs.h"
#include "widgets/UiContext.h"

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
    QImage& bitmap = ctx.GraphBitmapToDraw();
    const ProcessorRecord* variants[2] = {&wb.Circuit1, &wb.Circuit2};
    QImage pictures[2];
    for (int i = 0; i < 2; ++i) {
        state.Working = *variants[i];
        ComputeCurves(state.Working, wb.CurveTable, state.Curves);
        // The title names the technology of the variant drawn.
        const QString technology =
            QString::fromUtf8(TechnologyAt(wb.CurveTable[0][0].Technology).Name);
        DrawGraph(bitmap, kGraphPictureWidth, kGraphPictureHeight, g,
                  GraphData{wb.CurveTable, state.Curves, technology});
        pictures[i] = bitmap.copy(0, 0, kGraphPictureWidth, kGraphPictureHeight);
    }
    if (auto* page = ctx.window<GraphPage>(LabWindow::GraphPage))
        page->fill(g, pictures[0], pictures[1]);
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
        ctx.dialogs.inform(QStringLiteral("Для деловой игры страница отчета не предусмотрена."));
        return false;
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

void ReportWindow::printChecked() {
    for (int row = 0; row < list_->count() && row < kPageKindCount; ++row) {
        if (list_->item(row)->checkState() != Qt::Checked)
            continue;
        withPage(kinds_[static_cast<std::size_t>(row)],
                 [this](const ReportPage& page) { PrintReportPage(ctx, page); });
    }
}

} // namespace orvik

#include "firm/FirmAllKitsWindow.h"

#include "firm/AllKits.h"
#include "firm/FirmResultsWindow.h"
#include "widgets/Buttons.h"
#include "widgets/ReadOnlyGrid.h"
#include "widgets/TableExport.h"
#include "widgets/UiContext.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include <array>

namespace orvik {

namespace {

// Each kit takes five rows and an empty separator row; column 5 stays empty.
constexpr int RowsPerKit = 6;
constexpr int TableRows = RowsPerKit * FirmKitCount - 1; // 95: no separator after kit 16
constexpr int TableColumns = 8;
constexpr int VisibleRows = 24;

// Captions of column 6, row by row within a kit, beside the kit's totals.
constexpr std::array<const char*, 5> TotalCaptions{
    "Стоимсть комплекта", "Объем продаж", "Прибыль с продаж", "Гарантийные затраты", "Выручка"};

} // namespace

FirmAllKitsWindow::FirmAllKitsWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm17"),
               QStringLiteral("Моделирование деятельности компьютерной фирмы"),
               QStringLiteral("Результаты")) {
    hours_ = AddFirmHoursLine(this, content());

    table_ = MakeReadOnlyGrid({.rows = TableRows,
                               .columns = TableColumns,
                               .objectName = QStringLiteral("KitTable"),
                               .rowHeight = fontMetrics().height() + 6,
                               .selectRows = true,
                               .verticalScrollBar = true},
                              this);
    table_->horizontalHeader()->hide();
    const int rowHeight = table_->verticalHeader()->defaultSectionSize();

    // Columns wide enough for the longest text each can hold.
    const QFontMetrics fm = table_->fontMetrics();
    auto widthOf = [&fm](std::initializer_list<const char*> texts) {
        int w = 0;
        for (const char* t : texts)
            w = std::max(w, fm.horizontalAdvance(QString::fromUtf8(t)));
        return w + 16;
    };
    const std::array<int, TableColumns> widths{
        widthOf({"Комплектация N16", "Магнитный накопитель", "Материнская плата"}),
        widthOf({"Тип"}),
        widthOf({"Стоим.", "0000"}),
        widthOf({"Отказы", "0.000000"}),
        widthOf({"Ремонт", "00000"}),
        12,
        widthOf({"Стоимсть комплекта", "Гарантийные затраты"}),
        widthOf({"-00000000"}),
    };
    for (int c = 0; c < TableColumns; ++c)
        table_->setColumnWidth(c, widths[c]);
    table_->setFixedHeight(VisibleRows * rowHeight + 2 * table_->frameWidth());
    content()->addWidget(table_);
    content()->addWidget(
        MakeTableExport(ctx, this, table_, QStringLiteral("Результаты по всем комплектациям")));

    AddCloseRow(ctx, content(), this, HintFirmAllKits, [this] { close(); });
}

void FirmAllKitsWindow::showEvent(QShowEvent* event) {
    // The style's frame and scroll bar are known once the table is polished:
    // room for every column beside the scroll bar, no horizontal scrolling.
    table_->setFixedSize(
        table_->horizontalHeader()->length() + table_->verticalScrollBar()->sizeHint().width() +
            2 * table_->frameWidth(),
        VisibleRows * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth());
    LabFrame::showEvent(event);
}

bool FirmAllKitsWindow::prepare() {
    fill();
    return true;
}

void FirmAllKitsWindow::fill() {
    FirmRecord& firm = ctx.workbook().Firm;

    const std::array<FirmRecord, FirmKitCount> kits = ComputeAllKits(firm);

    hours_->setText(FirmInteger(firm.Hours));
    table_->clearContents();
    enum Align { Text, Number, Digit };
    auto put = [this](int row, int column, const QString& text, Align align) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignVCenter | (align == Text     ? Qt::AlignLeft
                                                   : align == Number ? Qt::AlignRight
                                                                     : Qt::AlignHCenter));
        table_->setItem(row, column, item);
    };
    for (int k = 0; k < FirmKitCount; ++k) {
        const FirmRecord& r = kits[k];
        const int top = RowsPerKit * k;
        put(top, 0, QStringLiteral("Комплектация N%1").arg(k + 1), Text);
        QFont heading = table_->font();
        heading.setBold(true);
        table_->item(top, 0)->setFont(heading);
        put(top, 1, QStringLiteral("Тип"), Text);
        put(top, 2, QStringLiteral("Стоим."), Text);
        put(top, 3, QStringLiteral("Отказы"), Text);
        put(top, 4, QStringLiteral("Ремонт"), Text);
        for (int i = 0; i < FirmComponentCount; ++i) {
            const int row = top + 1 + i;
            put(row, 0, QString::fromUtf8(FirmComponents[i].TableName), Text);
            put(row, 1, FirmInteger(r.Grade[i]), Digit);
            put(row, 2, FirmInteger(r.Price[i]), Number);
            put(row, 3, FirmFailureRate(r.FailureRate[i]), Number);
            put(row, 4, FirmInteger(r.Repairs[i]), Number);
        }
        const std::array<int, 5> totals{r.KitPrice, r.SalesVolume, r.SalesProfit, r.WarrantyCost,
                                        r.ActivityProfit};
        for (int j = 0; j < 5; ++j) {
            put(top + j, 6, QString::fromUtf8(TotalCaptions[j]), Text);
            put(top + j, 7, FirmInteger(totals[j]), Number);
        }
    }
}

} // namespace orvik

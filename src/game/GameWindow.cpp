#include "game/GameWindow.h"
#include "game/GameSession.h"

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "core/RealToText.h"
#include "game/GameChart.h"
#include "game/GroupedNumber.h"
#include "processor/Technology.h"
#include "processor/TechnologyName.h"
#include "widgets/Buttons.h"
#include "widgets/Dialogs.h"
#include "widgets/FormRows.h"
#include "widgets/PictureExport.h"
#include "widgets/ReadOnlyGrid.h"
#include "widgets/RealText.h"
#include "widgets/SpinBox.h"
#include "widgets/TableExport.h"
#include "widgets/UiContext.h"
#include "widgets/ValueLabel.h"
#include "workbook/Progress.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace orvik {

namespace {

// The chart as a picture: 1600 x 900 pixels, drawn at twice the window's
// scale, so that its texts and lines keep their proportions.
const QSize kGameChartExportSize(1600, 900);
constexpr int kGameChartExportScale = 2;

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Money and unit counts, grouped by thousands: "194 008 460".
QString Grouped(double value, int decimals = 0) {
    return QString::fromStdString(GroupedNumber(value, decimals));
}

QString SegmentName(int segment) {
    return Utf8(kMarketSegments[static_cast<std::size_t>(segment)].Name);
}

// One row of the firms' table: its caption, its text for a firm's year, and
// whether it is a result (empty in a rival's published offer).
struct FirmLine {
    QString caption;
    std::function<QString(const FirmYear&)> value;
    bool result = false;
    bool product = false; // a characteristic of the processor: none without good chips
};

std::vector<FirmLine> FirmLines() {
    std::vector<FirmLine> lines{
        {QStringLiteral("Схемотехника"),
         [](const FirmYear& f) { return TechnologyName(f.Decision.Technology); }},
        {QStringLiteral("МЛР, мкм"),
         [](const FirmYear& f) { return TrimmedReal(f.Decision.MinFeature, 2); }},
        {QStringLiteral("Площадь кристалла, см2"),
         [](const FirmYear& f) { return TrimmedReal(f.Decision.ChipArea, 2); }},
        {QStringLiteral("Степень интеграции, тыс. ЛЭ"),
         [](const FirmYear& f) { return QString::number(f.Decision.DeviceIntegration); }},
        {QStringLiteral("Частота, МГц"),
         [](const FirmYear& f) { return TrimmedReal(f.Product.Frequency, 2); }, false, true},
        {QStringLiteral("Наработка на отказ, ч"),
         [](const FirmYear& f) { return Grouped(f.Product.Mtbf); }, false, true},
        {QStringLiteral("Себестоимость, руб."),
         [](const FirmYear& f) { return Grouped(f.Product.UnitCost, 2); }, false, true},
        {QStringLiteral("Годных кристаллов с пластины"),
         [](const FirmYear& f) { return TrimmedReal(f.Product.GoodChips, 1); }},
        {QStringLiteral("Индекс производительности"),
         [](const FirmYear& f) { return TrimmedReal(f.Product.Performance, 2); }, false, true},
        {QStringLiteral("Цена, руб."),
         [](const FirmYear& f) { return Grouped(f.Decision.Price, 2); }},
        {QStringLiteral("Объем выпуска, шт"),
         [](const FirmYear& f) { return Grouped(f.Decision.Volume); }},
        {QStringLiteral("Реклама, тыс. руб."),
         [](const FirmYear& f) { return Grouped(f.Decision.Advertising); }},
    };
    for (int s = 0; s < kSegmentCount; ++s)
        lines.push_back({QStringLiteral("Доля, %: ") + SegmentName(s),
                         [s](const FirmYear& f) {
                             return TrimmedReal(100.0 * f.Share[static_cast<std::size_t>(s)], 2);
                         },
                         true});
    for (int s = 0; s < kSegmentCount; ++s)
        lines.push_back({QStringLiteral("Продажи, шт: ") + SegmentName(s),
                         [s](const FirmYear& f) {
                             return Grouped(
                                 static_cast<double>(f.Sales[static_cast<std::size_t>(s)]));
                         },
                         true});
    const auto money = [&](const char* caption, double FirmMoney::*field) {
        lines.push_back(
            {Utf8(caption), [field](const FirmYear& f) { return Grouped(f.Money.*field); }, true});
    };
    lines.push_back({QStringLiteral("Продано всего, шт"),
                     [](const FirmYear& f) { return Grouped(static_cast<double>(f.TotalSales)); },
                     true});
    lines.push_back({QStringLiteral("Не продано, шт"),
                     [](const FirmYear& f) { return Grouped(static_cast<double>(f.Money.Unsold)); },
                     true});
    money("Выручка, руб.", &FirmMoney::Revenue);
    money("Производство, руб.", &FirmMoney::Production);
    money("   из них списано (не продано), руб.", &FirmMoney::WrittenOff);
    money("Гарантия, руб.", &FirmMoney::Warranty);
    money("Реклама, руб.", &FirmMoney::Advertising);
    money("Постоянные расходы, руб.", &FirmMoney::FixedCosts);
    money("Проценты по кредиту, руб.", &FirmMoney::Interest);
    money("Прибыль, руб.", &FirmMoney::Profit);
    money("Деньги на счете, руб.", &FirmMoney::Cash);
    return lines;
}

const std::vector<FirmLine>& Lines() {
    static const std::vector<FirmLine> lines = FirmLines();
    return lines;
}

QTableWidget* MakeFirmsGrid(const QString& name, QWidget* owner) {
    const int rows = static_cast<int>(Lines().size());
    QTableWidget* grid = MakeReadOnlyGrid({.rows = rows,
                                           .columns = kGameFirmCount + 1,
                                           .objectName = name,
                                           .rowHeight = 19,
                                           .verticalScrollBar = true,
                                           .cellAlignment = Qt::AlignRight | Qt::AlignVCenter},
                                          owner);
    QStringList headings{QStringLiteral("Показатель")};
    for (const char* firm : kGameFirmNames)
        headings << Utf8(firm);
    grid->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows; ++r) {
        grid->item(r, 0)->setText(Lines()[static_cast<std::size_t>(r)].caption);
        grid->item(r, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    grid->setColumnWidth(0, 236);
    for (int c = 1; c <= kGameFirmCount; ++c)
        grid->setColumnWidth(c, 92);
    return grid;
}

// Column `column` of a firms' table for one firm's year; `offerOnly` leaves
// the results out (a published offer).
void FillFirmColumn(QTableWidget* grid, int column, const FirmYear* firm, bool offerOnly) {
    const std::vector<FirmLine>& lines = Lines();
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const FirmLine& line = lines[static_cast<std::size_t>(r)];
        QString text;
        if (!firm)
            text = QString();
        else if (!firm->InMarket)
            text = r == 0 ? QStringLiteral("банкрот") : QString();
        else if (offerOnly && line.result)
            text = QStringLiteral("—");
        else if (line.product && !firm->Product.Made)
            text = QStringLiteral("НЕТ");
        else
            text = line.value(*firm);
        grid->item(r, column)->setText(text);
    }
}

// Columns of the history table.
struct HistoryColumn {
    const char* heading;
    int width;
    std::function<QString(const FirmYear&)> value;
};

const std::vector<HistoryColumn>& HistoryColumns() {
    static const std::vector<HistoryColumn> columns{
        {"Схема", 62, [](const FirmYear& f) { return TechnologyName(f.Decision.Technology); }},
        {"МЛР", 40, [](const FirmYear& f) { return TrimmedReal(f.Decision.MinFeature, 2); }},
        {"S", 36, [](const FirmYear& f) { return TrimmedReal(f.Decision.ChipArea, 2); }},
        {"G", 40, [](const FirmYear& f) { return QString::number(f.Decision.DeviceIntegration); }},
        {"Цена", 62, [](const FirmYear& f) { return Grouped(f.Decision.Price, 2); }},
        {"Объем", 62, [](const FirmYear& f) { return Grouped(f.Decision.Volume); }},
        {"Реклама", 54, [](const FirmYear& f) { return Grouped(f.Decision.Advertising); }},
        {"Продано", 62,
         [](const FirmYear& f) { return Grouped(static_cast<double>(f.TotalSales)); }},
        {"Прибыль", 80, [](const FirmYear& f) { return Grouped(f.Money.Profit); }},
        {"Деньги", 80, [](const FirmYear& f) { return Grouped(f.Money.Cash); }},
    };
    return columns;
}

// The chart of the played years, painted anew at every showing.
class GameChartView : public QWidget {
public:
    GameChartView(const std::optional<GameSession>& session, QWidget* parent)
        : QWidget(parent), session_(session) {
        setObjectName(QStringLiteral("chart"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QImage picture(size(), QImage::Format_RGB32);
        static const std::vector<YearResult> none;
        DrawGameChart(picture, width(), height(), session_ ? session_->years() : none);
        QPainter(this).drawImage(0, 0, picture);
    }

private:
    const std::optional<GameSession>& session_;
};

} // namespace

GameWindow::GameWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm23"), QStringLiteral("Деловая игра"),
               QStringLiteral("Деловая игра")) {
    content()->addWidget(buildHeader());

    auto* middle = new QHBoxLayout;
    middle->setSpacing(10);
    auto* left = new QVBoxLayout;
    left->addWidget(buildDecision());
    left->addWidget(buildStanding());
    left->addStretch(1);
    middle->addLayout(left);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    const auto firmsPage = [this](const QString& name, QLabel*& note, QTableWidget*& grid) {
        auto* page = new QWidget(tabs_);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(6, 6, 6, 6);
        note = new QLabel(page);
        note->setObjectName(name + QStringLiteral("Note"));
        note->setWordWrap(true);
        layout->addWidget(note);
        grid = MakeFirmsGrid(name, page);
        layout->addWidget(grid, 1);
        return page;
    };
    tabs_->addTab(firmsPage(QStringLiteral("forecast"), forecastNote_, forecast_),
                  QStringLiteral("Прогноз и предложения конкурентов"));
    tabs_->addTab(firmsPage(QStringLiteral("results"), resultsNote_, results_),
                  QStringLiteral("Итоги года"));
    tabs_->addTab(buildHistory(), QStringLiteral("История"));
    tabs_->setFixedSize(640, 470);
    middle->addWidget(tabs_);
    content()->addLayout(middle);

    content()->addWidget(MakeDivider(this));
    auto* foot = new QHBoxLayout;
    foot->addWidget(MakeButton(ctx, QStringLiteral("Задание"), this,
                               [this] { this->ctx.ShowTaskText(TaskGame); }));
    foot->addWidget(MakeButton(ctx, QStringLiteral("Начать заново"), this, [this] { restart(); }));
    foot->addStretch(1);
    // Like the processor window of the same lab work, it leads back to the
    // guide when the guide starts by itself.
    foot->addWidget(MakeButton(ctx, QStringLiteral("Закрыть"), this, [this] {
        hide();
        this->ctx.ReturnToGuide();
    }));
    content()->addLayout(foot);
}

QWidget* GameWindow::buildHeader() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    year_ = new QLabel(box);
    year_->setObjectName(QStringLiteral("year"));
    QFont big = year_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    year_->setFont(big);
    grid->addWidget(year_, 0, 0, 3, 1, Qt::AlignVCenter);
    grid->setColumnMinimumWidth(0, 130);

    const auto pair = [&](int row, int column, const QString& caption, const QString& name) {
        grid->addWidget(new QLabel(caption, box), row, column);
        QLabel* value = MakeValueLabel(name, QString(), box);
        grid->addWidget(value, row, column + 1);
        return value;
    };
    defect_ =
        pair(0, 1, QStringLiteral("Коэффициент дефектности, деф/мм2"), QStringLiteral("kdefYear"));
    smallest_ = pair(1, 1, QStringLiteral("Наименьший МЛР этого года, мкм"),
                     QStringLiteral("smallestFeature"));
    restarts_ = pair(2, 1, QStringLiteral("Игра начата заново, раз"), QStringLiteral("restarts"));
    auto* marketTitle = new QLabel(QStringLiteral("Емкость рынка\nв прошлом году, шт:"), box);
    grid->addWidget(marketTitle, 0, 3, 3, 1, Qt::AlignVCenter);
    for (int s = 0; s < kSegmentCount; ++s)
        market_[static_cast<std::size_t>(s)] =
            pair(s, 4, SegmentName(s), QStringLiteral("market%1").arg(s));
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(6, 1);
    return box;
}

QWidget* GameWindow::buildDecision() {
    auto* box = new QGroupBox(QStringLiteral("Решение вашей фирмы на этот год"), this);
    auto* layout = new QVBoxLayout(box);
    FormRows rows(ctx, box);

    technology_ = new QComboBox(box);
    technology_->setObjectName(QStringLiteral("technology"));
    for (const TechnologyInfo& t : TechnologyTable)
        technology_->addItem(Utf8(t.Name));
    connect(technology_, &QComboBox::currentIndexChanged, this,
            [this](int index) { decision_.Technology = index < 0 ? 0 : index; });
    rows.addControl(QStringLiteral("Тип схемотехники"), technology_, HintGameTechnology);

    const GameDecisionLimits limits = DecisionLimitsOfYear(1);
    const auto spin = [&](const QString& caption, const DecisionLimit& limit, HelpText hint,
                          std::function<void(SpinBox&)> store, const QString& name) {
        SpinBox* box = rows.addSpin({.caption = caption,
                                     .minimum = limit.Min,
                                     .maximum = limit.Max,
                                     .step = limit.Step,
                                     .decimals = limit.Decimals,
                                     .hint = hint,
                                     .store = std::move(store),
                                     .objectName = name});
        boxes_.push_back(box);
        return box;
    };
    minFeature_ = spin(QStringLiteral("МЛР, мкм"), limits.MinFeature, HintGameMinFeature,
                       StoreReal(decision_.MinFeature), QStringLiteral("MinFeature"));
    spin(QStringLiteral("Площадь кристалла, см2"), limits.ChipArea, HintGameChipArea,
         StoreReal(decision_.ChipArea), QStringLiteral("ChipArea"));
    spin(QStringLiteral("Степень интеграции устройства"), limits.DeviceIntegration,
         HintGameIntegration, StoreInt(decision_.DeviceIntegration),
         QStringLiteral("DeviceIntegration"));
    spin(QStringLiteral("Цена процессора, руб."), limits.Price, HintGamePrice,
         StoreReal(decision_.Price), QStringLiteral("Price"));
    spin(QStringLiteral("Объем выпуска, шт"), limits.Volume, HintGameVolume,
         StoreInt(decision_.Volume), QStringLiteral("Volume"));
    spin(QStringLiteral("Реклама, тыс. руб."), limits.Advertising, HintGameAdvertising,
         StoreReal(decision_.Advertising), QStringLiteral("Advertising"));
    rows.addDivider();
    calculate_ = rows.addButton(QStringLiteral("Рассчитать"), NoHint, [this] { calculate(); });
    move_ = rows.addButton(QStringLiteral("Сделать ход"), NoHint, [this] { makeMove(); });
    layout->addLayout(rows.grid());
    box->setFixedWidth(330);
    return box;
}

QWidget* GameWindow::buildStanding() {
    standingBox_ = new QGroupBox(QStringLiteral("Итог игры"), this);
    standingBox_->setObjectName(QStringLiteral("standing"));
    auto* layout = new QVBoxLayout(standingBox_);
    layout->setSpacing(2);
    for (int i = 0; i < kGameFirmCount; ++i) {
        auto* place = new QLabel(standingBox_);
        place->setObjectName(QStringLiteral("place%1").arg(i + 1));
        layout->addWidget(place);
        places_[static_cast<std::size_t>(i)] = place;
    }
    verdict_ = new QLabel(standingBox_);
    verdict_->setObjectName(QStringLiteral("verdict"));
    verdict_->setWordWrap(true);
    QFont bold = verdict_->font();
    bold.setBold(true);
    verdict_->setFont(bold);
    layout->addWidget(verdict_);
    standingBox_->setFixedWidth(330);
    return standingBox_;
}

QWidget* GameWindow::buildHistory() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    const std::vector<HistoryColumn>& columns = HistoryColumns();
    history_ = MakeReadOnlyGrid({.rows = kGameYears,
                                 .columns = static_cast<int>(columns.size()) + 1,
                                 .objectName = QStringLiteral("history"),
                                 .rowHeight = 19,
                                 .cellAlignment = Qt::AlignRight | Qt::AlignVCenter},
                                page);
    QStringList headings{QStringLiteral("Год")};
    history_->setColumnWidth(0, 34);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        headings << Utf8(columns[c].heading);
        history_->setColumnWidth(static_cast<int>(c) + 1, columns[c].width);
    }
    history_->setHorizontalHeaderLabels(headings);
    history_->setFixedHeight(history_->horizontalHeader()->sizeHint().height() +
                             kGameYears * history_->verticalHeader()->defaultSectionSize() + 4);
    layout->addWidget(history_);
    // The played years go out as a table; the chart as a picture.
    auto* exports = new QHBoxLayout;
    exports->addWidget(MakeTableExport(ctx, page, [this] {
        ShownTable table =
            TableFromGrid(*history_, QStringLiteral("Деловая игра: годы вашей фирмы"));
        while (!table.rows.isEmpty() && table.rows.back().value(0).isEmpty())
            table.rows.removeLast();
        // Sums go out without their grouping spaces, so that a spreadsheet
        // reads them as numbers.
        static const QRegularExpression grouped(QStringLiteral("^-?\\d{1,3}( \\d{3})+(\\.\\d+)?$"));
        for (QStringList& row : table.rows)
            for (QString& cell : row)
                if (grouped.match(cell).hasMatch())
                    cell.remove(u' ');
        return table;
    }));
    exports->addWidget(MakeButton(ctx, QStringLiteral("Сохранить рисунок"), page, [this] {
        SavePicture(this->ctx, this, QStringLiteral("Деловая игра"),
                    {[this] { return PngBytes(chartPicture()); },
                     [this] {
                         return PictureSvg(kGameChartExportSize, paintChart(),
                                           QStringLiteral("Деловая игра"));
                     }});
    }));
    exports->addWidget(MakeButton(ctx, QStringLiteral("Копировать рисунок"), page,
                                  [this] { CopyPicture(chartPicture()); }));
    layout->addLayout(exports);
    chart_ = new GameChartView(session_, page);
    chart_->setMinimumHeight(220);
    layout->addWidget(chart_, 1);
    return page;
}

PaintPicture GameWindow::paintChart() const {
    return [this](QPainter& p, int w, int h) {
        static const std::vector<YearResult> none;
        p.scale(kGameChartExportScale, kGameChartExportScale);
        PaintGameChart(p, w / kGameChartExportScale, h / kGameChartExportScale,
                       session_ ? session_->years() : none);
    };
}

QImage GameWindow::chartPicture() const {
    return PaintedPicture(kGameChartExportSize, paintChart());
}

int GameWindow::studentVariant() const {
    try {
        return TextToInt(Cp1251ToUtf8(ctx.workbook().sVar));
    } catch (const Error&) {
        return kMinGameVariant; // the game takes variant 1 for a variant that is not a number
    }
}

// A game never started begins here, but the workbook keeps nothing of it
// until the first move: a workbook only looked at stays as it was.
bool GameWindow::prepare() {
    GameState game = ctx.workbook().Game;
    if (game.Variant == 0)
        StartGame(game, studentVariant());
    session_.emplace(game);
    decision_ = game.Decisions.empty() ? DefaultDecision() : game.Decisions.back();
    loadDecision();
    refresh();
    tabs_->setCurrentIndex(session_->years().empty() ? 0 : 1);
    return true;
}

void GameWindow::loadDecision() {
    const YearHeader header = session_->header();
    decision_.MinFeature = std::max(decision_.MinFeature, header.SmallestFeature);
    const GameDecision d = decision_; // each box writes back into decision_
    technology_->setCurrentIndex(
        d.Technology >= 0 && d.Technology < technology_->count() ? d.Technology : 0);
    minFeature_->setMinimum(header.SmallestFeature);
    const std::array<double, 6> values{d.MinFeature,
                                       d.ChipArea,
                                       static_cast<double>(d.DeviceIntegration),
                                       d.Price,
                                       static_cast<double>(d.Volume),
                                       d.Advertising};
    for (std::size_t i = 0; i < boxes_.size() && i < values.size(); ++i)
        boxes_[i]->setValue(values[i]);
}

void GameWindow::refresh() {
    const YearHeader header = session_->header();
    year_->setText(session_->over()
                       ? QStringLiteral("Игра окончена")
                       : QStringLiteral("Год %1 из %2").arg(header.Year).arg(kGameYears));
    // After the end there is no year to decide: nothing of it is shown.
    const bool over = session_->over();
    defect_->setText(over ? QStringLiteral("—") : TrimmedReal(header.DefectFactor, 2));
    smallest_->setText(over ? QStringLiteral("—") : TrimmedReal(header.SmallestFeature, 2));
    for (int s = 0; s < kSegmentCount; ++s)
        market_[static_cast<std::size_t>(s)]->setText(
            over ? QStringLiteral("—")
                 : Grouped(header.LastYearMarket[static_cast<std::size_t>(s)]));
    restarts_->setText(QString::number(session_->state().Restarts));
    calculate_->setEnabled(!session_->over());
    move_->setEnabled(!session_->over());
    showOffers(nullptr);
    if (session_->years().empty()) {
        resultsNote_->setText(QStringLiteral("Ходов еще не было."));
        for (int f = 0; f < kGameFirmCount; ++f)
            FillFirmColumn(results_, f + 1, nullptr, false);
    } else {
        showResults(session_->years().back());
    }
    showHistory();
    showStanding();
}

// The rivals' offers of the year to decide and, after "Рассчитать", the
// forecast of the student's decision against them.
void GameWindow::showOffers(const GameForecast* forecast) {
    if (session_->over()) {
        forecastNote_->setText(QStringLiteral("Игра окончена: новых предложений нет."));
        for (int f = 0; f < kGameFirmCount; ++f)
            FillFirmColumn(forecast_, f + 1, nullptr, false);
        return;
    }
    const int year = session_->header().Year;
    if (forecast) {
        FirmYear own;
        own.InMarket = true;
        own.Decision = decision_;
        own.Product = forecast->Product;
        own.Share = forecast->Share;
        own.Sales = forecast->Sales;
        own.TotalSales = forecast->TotalSales;
        own.Money = forecast->Money;
        FillFirmColumn(forecast_, 1, &own, false);
        QString note =
            QStringLiteral("Прогноз на год %1 при ожидаемой емкости рынка (ее изменение в этом "
                           "году, до ±10 %, прогноз знать не может); ничего не сохранено. "
                           "Ожидаемый спрос на ваш процессор: %2 шт.")
                .arg(year)
                .arg(Grouped(static_cast<double>(forecast->ExpectedDemand)));
        if (!forecast->Warning.empty())
            note += QStringLiteral("\n") + QString::fromStdString(forecast->Warning);
        forecastNote_->setText(note);
    } else {
        FillFirmColumn(forecast_, 1, nullptr, false);
        forecastNote_->setText(
            QStringLiteral("Предложения конкурентов на год %1. Задайте решение и нажмите "
                           "\"Рассчитать\", чтобы увидеть прогноз.")
                .arg(year));
    }
    for (int r = 0; r < 3; ++r)
        FillFirmColumn(forecast_, r + 2, &session_->rivalOffers()[static_cast<std::size_t>(r)],
                       true);
}

void GameWindow::showResults(const YearResult& year) {
    resultsNote_->setText(
        QStringLiteral("Итоги года %1. Емкость рынка, шт: %2 — %3, %4 — %5, %6 — %7.")
            .arg(year.Year)
            .arg(SegmentName(0))
            .arg(Grouped(year.MarketSize[0]))
            .arg(SegmentName(1))
            .arg(Grouped(year.MarketSize[1]))
            .arg(SegmentName(2))
            .arg(Grouped(year.MarketSize[2])));
    for (int f = 0; f < kGameFirmCount; ++f)
        FillFirmColumn(results_, f + 1, &year.Firms[static_cast<std::size_t>(f)], false);
}

void GameWindow::showHistory() {
    const std::vector<YearResult>& years = session_->years();
    const std::vector<HistoryColumn>& columns = HistoryColumns();
    for (int row = 0; row < kGameYears; ++row) {
        const bool played = row < static_cast<int>(years.size()) &&
                            years[static_cast<std::size_t>(row)].Firms[0].InMarket;
        history_->item(row, 0)->setText(played ? QString::number(row + 1) : QString());
        for (std::size_t c = 0; c < columns.size(); ++c)
            history_->item(row, static_cast<int>(c) + 1)
                ->setText(played ? columns[c].value(years[static_cast<std::size_t>(row)].Firms[0])
                                 : QString());
    }
    chart_->update();
}

void GameWindow::showStanding() {
    standingBox_->setVisible(session_->over());
    if (!session_->over())
        return;
    const FinalStanding standing = session_->standing();
    for (int i = 0; i < kGameFirmCount; ++i) {
        const StandingRow& row = standing.Rows[static_cast<std::size_t>(i)];
        places_[static_cast<std::size_t>(i)]->setText(
            QStringLiteral("%1. %2 — %3 руб.%4")
                .arg(i + 1)
                .arg(Utf8(kGameFirmNames[static_cast<std::size_t>(row.Firm)]))
                .arg(Grouped(row.Cash))
                .arg(row.Bankrupt ? QStringLiteral(" (банкрот)") : QString()));
    }
    verdict_->setText(QString::fromStdString(standing.Verdict));
}

// Whether the game goes on and the decision is within this year's limits;
// otherwise the student is told why.
bool GameWindow::decisionPlayable() {
    if (!session_)
        return false;
    if (session_->over()) {
        ctx.dialogs.inform(Utf8(kGameOverMessage));
        return false;
    }
    const std::string problem = CheckDecision(session_->year(), decision_);
    if (!problem.empty())
        ctx.dialogs.inform(QString::fromStdString(problem));
    return problem.empty();
}

// "Рассчитать": the decision against the rivals' offers; nothing is kept.
void GameWindow::calculate() {
    if (!decisionPlayable())
        return;
    const GameForecast forecast = session_->forecast(decision_);
    showOffers(&forecast);
    tabs_->setCurrentIndex(0);
    if (!forecast.Message.empty())
        ctx.dialogs.inform(QString::fromStdString(forecast.Message));
}

// "Сделать ход": the year is played and saved in the workbook. The part is
// done when all eight years are played; after a bankruptcy the student is
// told what happened and may start again at once.
void GameWindow::makeMove() {
    if (!decisionPlayable())
        return;
    session_->commit(decision_);
    ctx.workbook().Game = session_->state();
    ctx.state.WorkbookModified = true;
    if (GameCompletesItsPart(static_cast<int>(session_->state().Decisions.size()),
                             session_->studentBankrupt()))
        ctx.MarkDone(PartBusinessGame);
    loadDecision();
    refresh();
    tabs_->setCurrentIndex(1);
    if (!session_->over())
        return;
    const QString verdict = QString::fromStdString(session_->standing().Verdict);
    if (!session_->studentBankrupt()) {
        ctx.dialogs.inform(verdict);
        return;
    }
    if (ctx.dialogs.askYesNo(
            verdict +
            QStringLiteral("\n\nДеньги на счете упали ниже -20 000 000 руб.: банк больше не "
                           "дает кредитов, и фирма уходит с рынка. Лабораторная часть будет "
                           "выполнена, когда вы сыграете все восемь лет.\n\nНачать игру "
                           "заново? Число повторов увидит преподаватель.")))
        startAgain();
}

// "Начать заново": after a yes, the game starts again from year 1 with the
// student's variant; the restart is counted.
void GameWindow::restart() {
    if (!ctx.dialogs.askYesNo(QStringLiteral("Начать игру заново? Сыгранные годы будут потеряны.")))
        return;
    startAgain();
}

void GameWindow::startAgain() {
    GameState& game = ctx.workbook().Game;
    RestartGame(game, studentVariant());
    ctx.state.WorkbookModified = true;
    session_.emplace(game);
    decision_ = DefaultDecision();
    loadDecision();
    refresh();
    tabs_->setCurrentIndex(0);
}

} // namespace orvik

#include "processor/GraphWindow.h"

#include "processor/CurveTableWindow.h"
#include "processor/DrawGraph.h"
#include "processor/GraphPicture.h"
#include "processor/ProcessorInputWindow.h"
#include "widgets/ExportFile.h"
#include "widgets/Fonts.h"
#include "widgets/PictureExport.h"
#include "widgets/UiContext.h"
#include "workbook/VariantCurves.h"

#include <QAction>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>

#include <algorithm>

namespace orvik {

namespace {

// Outer sizes of the window and the margins of its paint area.
constexpr QSize kInitialOuter(633, 479);
constexpr QSize kMinimumOuter(400, 300);
constexpr QSize kMaximumOuter(1600, 1200);
constexpr int kPaintMarginWidth = 24;
constexpr int kPaintMarginHeight = 64;

// Kinds followed by a separator line in the menu "Графики".
bool SeparatorAfter(int kind) {
    return kind == 4 || kind == 7 || kind == 9;
}

QFont ReadoutFont() {
    QFont font(SansFamily());
    font.setPixelSize(11);
    return font;
}

// Writes a readout text with its top-left corner at (x, y) on white.
void WriteReadout(QPainter& p, int x, int y, const QString& text) {
    const QFontMetrics fm = p.fontMetrics();
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), Qt::white);
    p.drawText(x, y + fm.ascent(), text);
}

} // namespace

GraphView::GraphView(UiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("graphArea"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(ReadoutFont());
}

void GraphView::drawn(double graphYMax) {
    graphYMax_ = graphYMax;
    plotShift_ = PlotShift(ctx_.state.GraphKind, graphYMax);
    horizontal_.reset();
    vertical_.reset();
    update();
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area(0, 0, std::min(width(), ctx_.GraphBitmap.width()),
                     std::min(height(), ctx_.GraphBitmap.height()));
    if (!ctx_.GraphBitmap.isNull())
        p.drawImage(area.topLeft(), ctx_.GraphBitmap, area);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    const int h = height();
    if (horizontal_)
        WriteReadout(p, 170, h - 15, *horizontal_);
    if (vertical_)
        WriteReadout(p, 10, h - 15, *vertical_);
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int kind = ctx_.state.GraphKind;
    bool changed = false;
    if (auto text = HorizontalReadout(kind, ctx_.state.Curves.MlrSweepStart, width() - plotShift_,
                                      at.x() - plotShift_)) {
        horizontal_ = std::move(text);
        changed = true;
    }
    if (auto text = VerticalReadout(kind, graphYMax_, height(), at.y())) {
        vertical_ = std::move(text);
        changed = true;
    }
    if (changed)
        update(QRect(0, height() - 15, width(), 15));
}

GraphWindow::GraphWindow(UiContext& ctx)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      ctx_(ctx), menuBar_(new QMenuBar(this)), view_(new GraphView(ctx, this)) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Графики зависимостей"));
    setAutoFillBackground(true);

    QMenu* graphs = menuBar_->addMenu(QStringLiteral("Графики"));
    for (int kind = 0; kind < kGraphKindCount; ++kind) {
        graphs->addAction(QString::fromUtf8(GraphKinds[static_cast<std::size_t>(kind)].menuItem),
                          this, [this, kind] { chooseKind(kind); });
        if (SeparatorAfter(kind))
            graphs->addSeparator();
    }
    graphs->addAction(QStringLiteral("Закрыть"), this, [this] { close(); });
    menuBar_->addAction(QStringLiteral("Исходные данные"), this, [this] {
        if (auto* table = ctx_.window<CurveTableWindow>(LabWindow::CurveTable))
            table->open();
    });
    QMenu* picture = menuBar_->addMenu(QStringLiteral("Рисунок"));
    picture->addAction(QStringLiteral("Сохранить рисунок..."), this,
                       [this] { Guarded(ctx_, [this] { savePicture(); }); });
    picture->addAction(QStringLiteral("Копировать"), QKeySequence::Copy, this,
                       [this] { Guarded(ctx_, [this] { copyPicture(); }); });

    setMinimumSize(kMinimumOuter);
    setMaximumSize(kMaximumOuter);
    resize(kInitialOuter);
}

QSize GraphWindow::paintSizeFor(QSize outer) const {
    const int menu = menuBar_->sizeHint().height();
    const int w = std::min(outer.width() - kPaintMarginWidth, width());
    const int h = std::min(outer.height() - kPaintMarginHeight, height() - menu);
    // DrawGraph needs more than 100 pixels each way, within GraphBitmap.
    return {std::clamp(w, 101, 1600), std::clamp(h, 101, 1200)};
}

bool GraphWindow::layoutPaintArea() {
    const int menu = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menu);
    const QSize paint = paintSizeFor(frameGeometry().size());
    const int x = std::max(0, (width() - paint.width()) / 2);
    const int y = menu + std::max(0, (height() - menu - paint.height()) / 2);
    const bool resized = view_->size() != paint;
    view_->setGeometry(x, y, paint.width(), paint.height());
    return resized;
}

GraphData GraphWindow::data() const {
    const auto* input = ctx_.window<ProcessorInputWindow>(LabWindow::ProcessorInput);
    return GraphData{ctx_.workbook().CurveTable, ctx_.state.Curves,
                     input ? input->technologyText() : QString()};
}

void GraphWindow::redraw() {
    view_->drawn(DrawGraph(ctx_.GraphBitmapToDraw(view_->width(), view_->height()), view_->width(),
                           view_->height(), ctx_.state.GraphKind, data()));
}

void GraphWindow::savePicture() {
    const int kind = ctx_.state.GraphKind;
    const GraphKindInfo* info = GraphKindAt(kind);
    const QString name = info ? QString::fromUtf8(info->menuItem) : QStringLiteral("График");
    SavePicture(
        ctx_, this, SafeFileName(name, QStringLiteral("График")),
        {[&] { return GraphPng(kind, data()); }, [&] { return GraphSvg(kind, data(), name); }});
}

void GraphWindow::copyPicture() {
    CopyPicture(GraphPicture(ctx_.state.GraphKind, data()));
}

bool GraphWindow::open() {
    const bool computed = Guarded(ctx_, [this] {
        auto* input = ctx_.window<ProcessorInputWindow>(LabWindow::ProcessorInput);
        ComputeVariantCurves(ctx_.state, input ? input->checkedVariant() : ctx_.state.Working);
    });
    if (!computed)
        return false;
    if (!isVisible()) {
        opening_ = true; // one drawing for the whole opening, at the end
        // The limits are outer sizes: the frame comes off.
        const QMargins frame = ExpectedFrame(this, ctx_.mainWindow());
        const QSize around(frame.left() + frame.right(), frame.top() + frame.bottom());
        setMinimumSize(kMinimumOuter - around);
        setMaximumSize(kMaximumOuter - around);
        show();
        opening_ = false;
    }
    layoutPaintArea();
    redraw();
    raise();
    activateWindow();
    return true;
}

void GraphWindow::chooseKind(int kind) {
    ctx_.state.GraphKind = kind;
    redraw();
    view_->repaint();
}

void GraphWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (layoutPaintArea() && isVisible() && !opening_)
        redraw(); // once per resize
}

void GraphWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Each opening at the initial size, centred on the main window.
    CentreAtSize(this, ctx_.mainWindow(), kInitialOuter);
    beneath_.lock(this, ctx_.window(LabWindow::ProcessorInput));
}

void GraphWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void GraphWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    beneath_.release();
    // Opening draws the graph again: the picture's memory is not kept meanwhile.
    ctx_.GraphBitmap = QImage();
}

} // namespace orvik

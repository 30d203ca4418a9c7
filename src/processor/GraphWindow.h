#pragma once

#include "processor/DrawGraph.h"
#include "widgets/WindowPlacement.h"

#include <QString>
#include <QWidget>

#include <optional>

class QMenuBar;

namespace orvik {

class UiContext;

// The paint area of the graph window: shows the top-left part of GraphBitmap
// and, over it, the last mouse readout (which never goes into the bitmap).
class GraphView : public QWidget {
    Q_OBJECT
public:
    GraphView(UiContext& ctx, QWidget* parent);

    // A new drawing: the readout of the old one goes.
    void drawn(double graphYMax);
    double graphYMax() const { return graphYMax_; }
    // The readout texts shown now (empty when none was written yet).
    QString horizontalReadout() const { return horizontal_.value_or(QString()); }
    QString verticalReadout() const { return vertical_.value_or(QString()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    UiContext& ctx_;
    double graphYMax_ = 0.0;
    int plotShift_ = 0; // how far right the drawing moved its plot
    std::optional<QString> horizontal_;
    std::optional<QString> vertical_;
};

// TForm7: "Графики зависимостей", the dependency curves of the circuit
// variant checked in the input window, one kind at a time. Resizable.
class GraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphWindow(UiContext& ctx);

    // Computes the curves of the checked circuit variant and shows the
    // window; an error in the computation is reported and the window stays
    // hidden. Returns whether it is shown.
    bool open();
    // The menu "Графики": draws kind `kind` at once.
    void chooseKind(int kind);

    // The menu "Рисунок": the graph shown, as a 1600 x 1200 picture, to a
    // PNG or SVG file or to the clipboard.
    void savePicture();
    void copyPicture();

    GraphView* paintArea() const { return view_; }
    // The size of the paint area the window's outer size gives.
    QSize paintSizeFor(QSize outer) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape closes the window as its "Закрыть" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Places the paint area; true when its size changed.
    bool layoutPaintArea();
    void redraw();
    // What the window draws from: the curves and the checked variant's
    // technology.
    GraphData data() const;

    UiContext& ctx_;
    QMenuBar* menuBar_;
    GraphView* view_;
    BeneathLock beneath_;
    bool opening_ = false;
};

} // namespace orvik

#pragma once

#include "processor/Curves.h"
#include "report/ReportPage.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

namespace orvik {

class UiContext;

inline constexpr int kReportGraphCount = 10;
inline constexpr int kGraphPictureWidth = 650;
inline constexpr int kGraphPictureHeight = 450;

// The name of graph kind g (0..9) in the report list; empty for another g.
QString ReportGraphName(int g);
// The graph page's title line for graph kind g: "Зависимость " and what
// the graph shows ("Зависимость частоты от МЛР"); empty for another g.
QString GraphPageTitle(int g);

// What one graph of the page is drawn from: the curves of one circuit
// variant as they were computed for it.
struct GraphCurves {
    CurveTableData table{};
    CurveResults curves;
    QString technology; // the technology text of the graph's title
};

// TForm22: the graph page of the report. Never shown; it holds the title
// line and the two pictures (circuit variant 1 above variant 2).
class GraphPage : public QWidget, public ReportPage {
    Q_OBJECT
public:
    explicit GraphPage(UiContext& ctx);

    // Shows graph kind g with the two drawings (650 x 450 pixels each).
    void fill(int g, const QImage& variant1, const QImage& variant2);
    // The same, and the page paints the two graphs from their curves as
    // vector drawing (sharp at any scale) instead of scaling the pictures.
    void fill(int g, const QImage& variant1, const QImage& variant2,
              std::shared_ptr<const GraphCurves> curves1,
              std::shared_ptr<const GraphCurves> curves2);

    QString titleLine() const { return title_; }
    const QImage& picture(int index) const { return pictures_[index == 0 ? 0 : 1]; }

    QString documentName() const override;
    void paintPage(PageCanvas& canvas) const override;

private:
    UiContext& ctx_;
    QString title_;
    int kind_ = 0;
    QImage pictures_[2];
    std::shared_ptr<const GraphCurves> curves_[2];
};

} // namespace orvik

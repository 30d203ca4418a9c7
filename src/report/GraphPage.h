#pragma once

#include "report/ReportPage.h"

#include <QImage>
#include <QString>
#include <QWidget>

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

// TForm22: the graph page of the report. Never shown; it holds the title
// line and the two pictures (circuit variant 1 above variant 2).
class GraphPage : public QWidget, public ReportPage {
    Q_OBJECT
public:
    explicit GraphPage(UiContext& ctx);

    // Shows graph kind g with the two drawings (650 x 450 pixels each).
    void fill(int g, const QImage& variant1, const QImage& variant2);

    QString titleLine() const { return title_; }
    const QImage& picture(int index) const { return pictures_[index == 0 ? 0 : 1]; }

    QString documentName() const override;
    void paintPage(PageCanvas& canvas) const override;

private:
    UiContext& ctx_;
    QString title_;
    QImage pictures_[2];
};

} // namespace orvik

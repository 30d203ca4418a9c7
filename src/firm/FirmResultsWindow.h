#pragma once

#include "widgets/LabFrame.h"

#include <array>

class QBoxLayout;
class QLabel;

namespace orvik {

// TForm18, "Результаты" of the chosen kit: the version, price, failure rate
// and repairs of each component, and the kit's price, sales and profit, as
// the firm record holds them.
class FirmResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit FirmResultsWindow(UiContext& ctx);

    // Shows the firm record's results in the window.
    void fill();

protected:
    bool prepare() override;

private:
    QLabel* hours_ = nullptr;
    std::array<QLabel*, 4> type_{};
    std::array<QLabel*, 4> price_{};
    std::array<QLabel*, 4> rate_{};
    std::array<QLabel*, 4> repairs_{};
    QLabel* kitPrice_ = nullptr;
    QLabel* salesVolume_ = nullptr;
    QLabel* salesProfit_ = nullptr;
    QLabel* warrantyCost_ = nullptr;
    QLabel* activityProfit_ = nullptr;
};

// The line "Среднее время работы аппаратуры в день <hours> часов." of both
// results windows; returns the label that shows the hours.
QLabel* AddFirmHoursLine(QWidget* owner, QBoxLayout* layout);

// Texts of the firm windows' cells.
QString FirmInteger(int value);
QString FirmFailureRate(double rate);

} // namespace orvik

#pragma once

#include "widgets/LabFrame.h"

#include <array>

class QLabel;
class QTableWidget;

namespace orvik {

// TForm14: "Расчет характеристик компьютера", the results of the student's
// cache and, for comparison, of twelve standard caches. It computes as it is
// shown; when the computer cannot be computed it tells why and stays hidden.
class ComputerResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ComputerResultsWindow(UiContext& ctx);

protected:
    bool prepare() override;
    QWidget* beneath() const override;

private:
    std::array<QLabel*, 7> lines_{};
    // The twelve standard caches; its header row holds the titles, so grid
    // row r (1..12) is table row r - 1.
    QTableWidget* grid_ = nullptr;
};

} // namespace orvik

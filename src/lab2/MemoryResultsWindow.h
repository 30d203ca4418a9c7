#pragma once

#include "widgets/LabFrame.h"

class QLabel;
class QTableWidget;

namespace orvik {

// TForm12: "Расчет характеристик памяти", the results of the chosen chip and,
// for comparison, of all four chips. It computes as it is shown.
class MemoryResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit MemoryResultsWindow(UiContext& ctx);

protected:
    bool prepare() override;
    QWidget* beneath() const override;

private:
    QLabel* chipName_ = nullptr;
    QLabel* cycleTime_ = nullptr;
    QLabel* memoryCost_ = nullptr;
    QLabel* memoryMtbf_ = nullptr;
    QTableWidget* grid_ = nullptr;
};

} // namespace orvik

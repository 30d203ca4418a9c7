#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm6: "Расчет характеристик процессора", the inputs and results of the
// calculation just made, from the working record.
class ProcessorResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ProcessorResultsWindow(UiContext& ctx);

    // Opens the window and, when the wafer yields no good chip, warns.
    void showResults();

protected:
    bool prepare() override;
    QWidget* beneath() const override;
};

} // namespace orvik

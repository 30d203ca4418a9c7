#pragma once

#include "widgets/LabFrame.h"

class QButtonGroup;
class QLineEdit;

namespace orvik {

class SpinBox;

// TForm10: "Оценка характеристик задачи". The student describes the task
// (number of inputs, complexity formula, data-structure grade); calculate
// estimates its duration in command-execution cycles.
class TaskWindow : public LabFrame {
    Q_OBJECT
public:
    explicit TaskWindow(UiContext& ctx);

protected:
    bool prepare() override;

private:
    void calculate();

    SpinBox* inputCount_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QButtonGroup* complexity_ = nullptr;
};

} // namespace orvik

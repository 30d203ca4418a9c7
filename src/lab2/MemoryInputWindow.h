#pragma once

#include "widgets/LabFrame.h"

class QButtonGroup;

namespace orvik {

class SpinBox;

// TForm11: "Расчет характеристик памяти", the inputs of the main memory:
// capacity, word size, access time and the memory chip.
class MemoryInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit MemoryInputWindow(UiContext& ctx);

protected:
    bool prepare() override;

private:
    void calculate();

    SpinBox* capacity_ = nullptr;
    SpinBox* wordBits_ = nullptr;
    SpinBox* accessTime_ = nullptr;
    QButtonGroup* chip_ = nullptr;
};

} // namespace orvik

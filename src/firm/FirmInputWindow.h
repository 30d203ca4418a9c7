#pragma once

#include "widgets/LabFrame.h"

#include <array>

class QButtonGroup;

namespace orvik {

class SpinBox;

// TForm16, "Ввод исходных данных" of the firm lab: the version of each of the
// four kit components and the customers' daily operating hours, and the two
// calculations (the chosen kit, all sixteen kits).
class FirmInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit FirmInputWindow(UiContext& ctx);

protected:
    bool prepare() override;

private:
    void calculateKit();
    void calculateAllKits();

    std::array<QButtonGroup*, 4> grades_{};
    SpinBox* hours_ = nullptr;
};

} // namespace orvik

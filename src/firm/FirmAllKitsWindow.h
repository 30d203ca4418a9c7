#pragma once

#include "widgets/LabFrame.h"

class QLabel;
class QTableWidget;

namespace orvik {

// TForm17, "Результаты" of all sixteen kits: the model run for every kit in
// turn, one block of five rows per kit, the student's own kit restored after.
class FirmAllKitsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit FirmAllKitsWindow(UiContext& ctx);

    // Runs the model for the sixteen kits and rebuilds the table. The firm
    // record holds the student's own kit again afterwards, also when an error
    // (hours outside 1..24 from a damaged file) ends the run; the table is
    // then left as it was.
    void fill();

protected:
    bool prepare() override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* hours_ = nullptr;
    QTableWidget* table_ = nullptr;
};

} // namespace orvik

#pragma once

#include "widgets/LabFrame.h"

#include <array>

class QCheckBox;
class QGridLayout;
class QLabel;

namespace orvik {

class SpinBox;

// TForm13: "Расчет характеристик компьютера", the cache and the external
// storage of the computer built around the lab-2 processor and memory.
class ComputerInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ComputerInputWindow(UiContext& ctx);

    // Enables the external-storage controls from the two check boxes; the
    // second box is unchecked (running its handler) when the first is.
    void UpdateStorageControls();

protected:
    bool prepare() override;

private:
    // Caption, control and "?" button of one row.
    using RowWidgets = std::array<QWidget*, 3>;
    static void setRowEnabled(const RowWidgets& row, bool enabled);
    RowWidgets lastRow() const;

    void usesStorageClicked(bool checked);
    void accessCountKnownClicked(bool checked);
    void showDerivedValues();
    void calculate();

    QGridLayout* grid_ = nullptr;
    QLabel* processorCycle_ = nullptr;
    QLabel* memoryCycle_ = nullptr;
    QLabel* memorySize_ = nullptr;
    SpinBox* cacheSize_ = nullptr;
    SpinBox* cacheTime_ = nullptr;
    QCheckBox* usesStorage_ = nullptr;
    SpinBox* storageCycle_ = nullptr;
    SpinBox* storageSize_ = nullptr;
    QCheckBox* accessCountKnown_ = nullptr;
    SpinBox* givenAccesses_ = nullptr;
    RowWidgets storageCycleRow_{};
    RowWidgets storageSizeRow_{};
    RowWidgets givenAccessesRow_{};
    bool loading_ = false; // showing the record must not change it
};

} // namespace orvik

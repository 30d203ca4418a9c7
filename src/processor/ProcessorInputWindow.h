#pragma once

#include "processor/ProcessorRecord.h"
#include "widgets/LabFrame.h"

class QComboBox;
class QPushButton;
class QRadioButton;

namespace orvik {

class HintButton;
class SpinBox;

// TForm5: "Расчет характеристик процессора". Edits the inputs of a processor
// record: the two circuit variants in lab work 1 (CurrentPart 0), the record
// of lab work 2 otherwise; computes it and, in lab work 1, opens the curves.
class ProcessorInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ProcessorInputWindow(UiContext& ctx);

    // The record the controls edit: lab work 2's, or the checked circuit variant's.
    ProcessorRecord& currentRecord();
    // The record whose curves the graph window draws: the checked circuit variant's.
    ProcessorRecord& checkedVariant();
    // The text shown in the technology box (the graph titles carry it).
    QString technologyText() const;

    // Shows `record` in the controls; boxes whose text changes write the
    // shown value back into the current record.
    void loadRecord(const ProcessorRecord& record);

protected:
    bool prepare() override;

private:
    bool labOneMode() const;
    void technologyChanged(const QString& text);
    void variantChosen();
    void calculate();
    void plotCurves();

    QRadioButton* variant1_ = nullptr;
    QRadioButton* variant2_ = nullptr;
    QComboBox* technology_ = nullptr;
    SpinBox* defect_ = nullptr;
    SpinBox* feature_ = nullptr;
    SpinBox* area_ = nullptr;
    SpinBox* integration_ = nullptr;
    QPushButton* curvesButton_ = nullptr;
    HintButton* variantHint_ = nullptr;
    HintButton* curvesHint_ = nullptr;
};

} // namespace orvik

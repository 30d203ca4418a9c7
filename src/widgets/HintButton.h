#pragma once

#include "widgets/HelpText.h"

#include <QToolButton>

namespace orvik {

class UiContext;

// The small "?" button beside a control: shows TextStore entry `index` in
// the hint popup.
class HintButton : public QToolButton {
    Q_OBJECT
public:
    HintButton(UiContext& ctx, HelpText index, QWidget* parent = nullptr);
    int index() const { return index_; }

private:
    int index_;
};

} // namespace orvik

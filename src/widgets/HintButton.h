#pragma once

#include <QToolButton>

namespace orvik {

class AppContext;

// The small "?" button beside a control: shows TextStore entry `index` in
// the hint popup.
class HintButton : public QToolButton {
    Q_OBJECT
public:
    HintButton(AppContext& ctx, int index, QWidget* parent = nullptr);
    int index() const { return index_; }

private:
    int index_;
};

} // namespace orvik

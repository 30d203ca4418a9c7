#pragma once

#include "widgets/HelpText.h"

#include <QToolButton>

namespace orvik {

class UiContext;

// The small "?" button beside a control: shows TextStore entry `index` in
// the hint popup. It stays out of the Tab order; F1 on the control it
// explains opens the same hint (see SetHintOf).
class HintButton : public QToolButton {
    Q_OBJECT
public:
    HintButton(UiContext& ctx, HelpText index, QWidget* parent = nullptr);
    int index() const { return index_; }

    // Shows the hint beside this button, as a click does.
    void showHint();

private:
    UiContext& ctx_;
    int index_;
};

// `hint` explains `widget` (a control, or a whole window for its one "?"):
// F1 pressed in it or in any of its children opens that hint.
void SetHintOf(QWidget* widget, HintButton* hint);
// The hint of the focused `widget`: its own, or that of the nearest parent
// within its window that has one; nullptr when none.
HintButton* HintOf(const QWidget* widget);

// A button whose click opens a hint (a "?" or a "Задание" button): a press
// on it leaves an open hint popup for the click to replace.
void MarkOpensHint(QWidget* button);
bool OpensHint(const QWidget* widget);

} // namespace orvik

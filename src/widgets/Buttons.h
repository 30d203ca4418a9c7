#pragma once

#include "widgets/HelpText.h"

#include <QString>

#include <functional>

class QAbstractButton;
class QBoxLayout;
class QPushButton;
class QWidget;

namespace orvik {

class UiContext;

// A push button whose click runs `work` under the general error report.
QPushButton* MakeButton(UiContext& ctx, const QString& caption, QWidget* owner,
                        const std::function<void()>& work);

// The window's own close button: its "Закрыть" where it is shown and
// enabled; nullptr when there is none.
QPushButton* CloseButtonOf(const QWidget* window);

// Presses the button of `window` that a key left unused by the focused
// control stands for: Return or Enter the default button, Escape `close`
// (nullptr: none, the key is refused). True when a button was pressed.
bool PressButtonForKey(QWidget* window, int key, QAbstractButton* close);

// A sunken horizontal line between groups of rows.
QWidget* MakeDivider(QWidget* owner);

// The row at the foot of a window: its "?" (none for NoHint) and the
// "Закрыть" button on the right. Returns the button.
QPushButton* AddCloseRow(UiContext& ctx, QBoxLayout* layout, QWidget* owner, HelpText hint,
                         const std::function<void()>& close);

} // namespace orvik

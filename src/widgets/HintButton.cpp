#include "widgets/HintButton.h"

#include "widgets/UiContext.h"

namespace orvik {

HintButton::HintButton(UiContext& ctx, HelpText index, QWidget* parent)
    : QToolButton(parent), index_(index) {
    setText(QStringLiteral("?"));
    setObjectName(QStringLiteral("hint%1").arg(index));
    setToolTip(QStringLiteral("Подсказка"));
    setFixedSize(22, 22);
    setFocusPolicy(Qt::NoFocus); // a click must not take the focus from a spin box first
    connect(this, &QToolButton::clicked, this,
            [&ctx, index] { Guarded(ctx, [&] { ctx.ShowHintText(index); }); });
}

} // namespace orvik

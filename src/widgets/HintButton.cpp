#include "widgets/HintButton.h"

#include "widgets/UiContext.h"

#include <QPointer>

namespace orvik {

namespace {

constexpr const char* kHintProperty = "orvikHint";
constexpr const char* kOpensHintProperty = "orvikOpensHint";

} // namespace

HintButton::HintButton(UiContext& ctx, HelpText index, QWidget* parent)
    : QToolButton(parent), ctx_(ctx), index_(index) {
    setText(QStringLiteral("?"));
    setObjectName(QStringLiteral("hint%1").arg(index));
    setToolTip(QStringLiteral("Подсказка (F1)"));
    setFixedSize(22, 22);
    setFocusPolicy(Qt::NoFocus); // a click must not take the focus from a spin box first
    MarkOpensHint(this);
    connect(this, &QToolButton::clicked, this, &HintButton::showHint);
}

void HintButton::showHint() {
    Guarded(ctx_, [this] { ctx_.ShowHintText(index_, this); });
}

void SetHintOf(QWidget* widget, HintButton* hint) {
    widget->setProperty(kHintProperty, QVariant::fromValue(QPointer<QObject>(hint)));
}

HintButton* HintOf(const QWidget* widget) {
    for (; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        const QVariant hint = widget->property(kHintProperty);
        if (hint.isValid())
            if (auto* button = qobject_cast<HintButton*>(hint.value<QPointer<QObject>>().data());
                button && button->isVisibleTo(button->window()))
                return button;
    }
    return nullptr;
}

void MarkOpensHint(QWidget* button) {
    button->setProperty(kOpensHintProperty, true);
}

bool OpensHint(const QWidget* widget) {
    return widget && widget->property(kOpensHintProperty).toBool();
}

} // namespace orvik

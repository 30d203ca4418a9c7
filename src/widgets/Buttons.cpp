#include "widgets/Buttons.h"

#include "widgets/HintButton.h"
#include "widgets/UiContext.h"

#include <QBoxLayout>
#include <QFrame>
#include <QPushButton>

namespace orvik {

QPushButton* MakeButton(UiContext& ctx, const QString& caption, QWidget* owner,
                        const std::function<void()>& work) {
    auto* button = new QPushButton(caption, owner);
    QObject::connect(button, &QPushButton::clicked, owner, [&ctx, work] { Guarded(ctx, work); });
    return button;
}

QWidget* MakeDivider(QWidget* owner) {
    auto* line = new QFrame(owner);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QPushButton* AddCloseRow(UiContext& ctx, QBoxLayout* layout, QWidget* owner, HelpText hint,
                         const std::function<void()>& close) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    if (hint != NoHint)
        row->addWidget(new HintButton(ctx, hint, owner));
    QPushButton* button = MakeButton(ctx, QStringLiteral("Закрыть"), owner, close);
    button->setMinimumWidth(100);
    row->addWidget(button);
    layout->addLayout(row);
    return button;
}

} // namespace orvik

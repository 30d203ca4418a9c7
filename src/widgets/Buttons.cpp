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
    if (caption == QStringLiteral("Задание")) // the variant's task, in the hint popup
        MarkOpensHint(button);
    QObject::connect(button, &QPushButton::clicked, owner, [&ctx, work] { Guarded(ctx, work); });
    return button;
}

QPushButton* CloseButtonOf(const QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Закрыть") && button->isVisibleTo(window) &&
            button->isEnabled())
            return button;
    return nullptr;
}

bool PressButtonForKey(QWidget* window, int key, QAbstractButton* close) {
    QAbstractButton* pressed = nullptr;
    if (key == Qt::Key_Escape) {
        pressed = close;
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        for (QPushButton* button : window->findChildren<QPushButton*>())
            if (button->isDefault() && button->isVisibleTo(window) && button->isEnabled())
                pressed = button;
    }
    if (!pressed)
        return false;
    pressed->click();
    return true;
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
    if (hint != NoHint) {
        auto* button = new HintButton(ctx, hint, owner);
        SetHintOf(owner, button); // the window's one hint
        row->addWidget(button);
    }
    QPushButton* button = MakeButton(ctx, QStringLiteral("Закрыть"), owner, close);
    button->setMinimumWidth(100);
    row->addWidget(button);
    layout->addLayout(row);
    return button;
}

} // namespace orvik

#include "widgets/ReadingPane.h"

#include "widgets/Fonts.h"
#include "widgets/UiContext.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace orvik {

QPlainTextEdit* MakeReadingPane(QWidget* parent) {
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName(QStringLiteral("text"));
    pane->setReadOnly(true);
    pane->setTabChangesFocus(true); // Tab goes on to the window's buttons
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont fixed(FixedFamily(), 10);
    fixed.setStyleHint(QFont::Monospace);
    pane->setFont(fixed);
    return pane;
}

void ShowFromTop(QPlainTextEdit* pane, const QString& text) {
    pane->setPlainText(text);
    QTextCursor caret = pane->textCursor();
    caret.movePosition(QTextCursor::Start);
    pane->setTextCursor(caret);
    pane->ensureCursorVisible();
}

QString ReadingText(const std::string& cp1251) {
    QString text = UiContext::FromWorkbookText(cp1251);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace orvik

#include "widgets/ErrorGuard.h"

#include "widgets/Dialogs.h"

#include <exception>
#include <new>

namespace orvik {

QString ErrorReportText(const QString& message) {
    if (message.isEmpty() || message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

bool RunGuarded(Dialogs& dialogs, const std::function<void()>& work) {
    QString text;
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("Недостаточно памяти");
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Неизвестная ошибка");
    }
    dialogs.error(ErrorReportText(text));
    return false;
}

} // namespace orvik

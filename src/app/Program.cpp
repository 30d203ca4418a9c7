#include "app/Program.h"

#include "widgets/Fonts.h"
#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QPixmapCache>
#include <QTranslator>

namespace orvik {

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("orvik"));
    // No display name: the window system would add it to every title.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new ProgramStyle);
    QApplication::setFont(QFont(SansFamily(), 9));
    // The style keeps no pictures of painted buttons and frames: the windows
    // repaint seldom, and the cache held over a megabyte for the whole run.
    QPixmapCache::setCacheLimit(0);
    // Qt's own dialogs and buttons (file dialogs, Yes/No, the print preview)
    // speak Russian like the program; without the translations they stay English.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace orvik

#include "app/Program.h"

#include "core/NumericLocale.h"
#include "widgets/DesktopRules.h"
#include "widgets/Fonts.h"
#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QPixmapCache>
#include <QTranslator>

#include <malloc.h>

namespace orvik {

void SetUpApplication() {
    // QApplication has just taken the desktop's locale; numbers in files and
    // messages keep their full stop under any language.
    UseFullStopNumbers();
    // Large blocks (window pictures, the graph bitmap, a window's buffer where
    // the window system keeps none) go back to the system when freed. Left to
    // itself, glibc raises this threshold after the first such block is freed
    // and keeps the later ones in the heap, where a closed window leaves a
    // hole the heap cannot give back.
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
    QApplication::setApplicationName(QStringLiteral("orvik"));
    // No display name: the window system would add it to every title.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new ProgramStyle);
    InstallDesktopRules();
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

#include "widgets/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace orvik {

namespace {

// fontconfig's metric aliases: the same widths letter by letter.
QString LiberationTwin(const QString& family) {
    if (family == u"Arial")
        return QStringLiteral("Liberation Sans");
    if (family == u"Courier New")
        return QStringLiteral("Liberation Mono");
    if (family == u"Times New Roman")
        return QStringLiteral("Liberation Serif");
    return {};
}

} // namespace

QString InstalledFamily(const QString& family) {
    // The list of families is looked up as it stands: asking the font
    // database about a single family would run fontconfig's substitution
    // rules for it. The installed fonts do not change while the program runs.
    static const QStringList installed = QFontDatabase::families();
    if (installed.contains(family))
        return family;
    const QString twin = LiberationTwin(family);
    return !twin.isEmpty() && installed.contains(twin) ? twin : family;
}

QString SansFamily() {
    static const QString family = InstalledFamily(QStringLiteral("Arial"));
    return family;
}

QString FixedFamily() {
    static const QString family = InstalledFamily(QStringLiteral("Courier New"));
    return family;
}

} // namespace orvik

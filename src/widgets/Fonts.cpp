#include "widgets/Fonts.h"

#include <QFontDatabase>
#include <QHash>

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
    // Asked from the user-interface thread only; the installed fonts do not
    // change while the program runs. The list of families is looked up as it
    // stands: asking the font database about a single family would run
    // fontconfig's substitution rules for it.
    static const QStringList installed = QFontDatabase::families();
    static QHash<QString, QString> known;
    if (const auto it = known.constFind(family); it != known.cend())
        return *it;
    QString chosen = family;
    if (!installed.contains(family)) {
        const QString twin = LiberationTwin(family);
        if (!twin.isEmpty() && installed.contains(twin))
            chosen = twin;
    }
    known.insert(family, chosen);
    return chosen;
}

QString SansFamily() {
    return InstalledFamily(QStringLiteral("Arial"));
}

QString FixedFamily() {
    return InstalledFamily(QStringLiteral("Courier New"));
}

} // namespace orvik

// The program's letters: the same as the platform's substitution gives,
// named directly.
#include "widgets/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace orvik {
namespace {

struct FamilyCase {
    const char* asked;
    const char* twin; // what stands in when `asked` is not installed
};

void PrintTo(const FamilyCase& c, std::ostream* os) {
    *os << c.asked;
}

class InstalledFamilyTest : public ::testing::TestWithParam<FamilyCase> {};

// The family named is the one fontconfig would have substituted: the same
// letters, drawn alike.
TEST_P(InstalledFamilyTest, NamesTheLettersQtWouldHaveFound) {
    const QString asked = QString::fromUtf8(GetParam().asked);
    const QString named = InstalledFamily(asked);
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(asked))
        EXPECT_EQ(named, asked);
    else if (installed.contains(QString::fromUtf8(GetParam().twin)))
        EXPECT_EQ(named, QString::fromUtf8(GetParam().twin));
    else
        EXPECT_EQ(named, asked);
    for (const int points : {9, 13, 28}) {
        EXPECT_EQ(QFontInfo(QFont(named, points)).family(),
                  QFontInfo(QFont(asked, points)).family())
            << points;
        EXPECT_EQ(QFontInfo(QFont(named, points, QFont::Bold)).bold(),
                  QFontInfo(QFont(asked, points, QFont::Bold)).bold());
    }
}

INSTANTIATE_TEST_SUITE_P(Families, InstalledFamilyTest,
                         ::testing::Values(FamilyCase{"Arial", "Liberation Sans"},
                                           FamilyCase{"Courier New", "Liberation Mono"},
                                           FamilyCase{"Times New Roman", "Liberation Serif"},
                                           FamilyCase{"No Such Family Anywhere", ""}),
                         [](const auto& info) {
                             QString name = QString::fromUtf8(info.param.asked);
                             name.remove(u' ');
                             return name.toStdString();
                         });

TEST(ProgramFonts, SansAndFixedAreTheProgramsTwoFamilies) {
    EXPECT_EQ(SansFamily(), InstalledFamily(QStringLiteral("Arial")));
    EXPECT_EQ(FixedFamily(), InstalledFamily(QStringLiteral("Courier New")));
    EXPECT_TRUE(QFontInfo(QFont(FixedFamily(), 10)).fixedPitch());
    EXPECT_EQ(QApplication::font().family(), SansFamily());
}

} // namespace
} // namespace orvik

// The program's style is the desktop's own. What it changes is how a few of
// its pictures are loaded; drawn, they are the same.
#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace orvik {
namespace {

QProxyStyle* Style() {
    return qobject_cast<QProxyStyle*>(QApplication::style());
}

QImage Painted(const QIcon& icon, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, image.rect());
    return image;
}

TEST(ProgramStyle, ExtensionArrowsLookAsTheDesktopDrawsThem) {
    QProxyStyle* style = Style();
    ASSERT_NE(style, nullptr);
    for (const auto which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon late = style->standardIcon(which);
        const QIcon base = style->baseStyle()->standardIcon(which);
        ASSERT_FALSE(base.isNull());
        EXPECT_FALSE(late.isNull());
        for (const int size : {16, 24, 32}) {
            EXPECT_EQ(late.actualSize(QSize(size, size)), base.actualSize(QSize(size, size)));
            EXPECT_EQ(late.pixmap(size).toImage(), base.pixmap(size).toImage()) << size;
            EXPECT_EQ(late.pixmap(size, QIcon::Disabled).toImage(),
                      base.pixmap(size, QIcon::Disabled).toImage())
                << size;
            EXPECT_EQ(Painted(late, size), Painted(base, size)) << size;
        }
        EXPECT_EQ(late.availableSizes(), base.availableSizes());
        // A copy of the icon, made before it was first drawn, draws alike.
        const QIcon copy = style->standardIcon(which);
        const QIcon copied = copy;
        EXPECT_EQ(copied.pixmap(16).toImage(), base.pixmap(16).toImage());
    }
}

TEST(ProgramStyle, OtherPicturesAreTheDesktopsAtOnce) {
    QProxyStyle* style = Style();
    ASSERT_NE(style, nullptr);
    for (const auto which : {QStyle::SP_MessageBoxWarning, QStyle::SP_DialogOkButton,
                             QStyle::SP_ArrowRight, QStyle::SP_TitleBarCloseButton}) {
        const QIcon ours = style->standardIcon(which);
        const QIcon base = style->baseStyle()->standardIcon(which);
        EXPECT_EQ(ours.isNull(), base.isNull()) << which;
        EXPECT_EQ(ours.pixmap(32).toImage(), base.pixmap(32).toImage()) << which;
    }
}

// A menu bar too narrow for its menus shows its extension button, with the
// desktop's arrow on it.
TEST(ProgramStyle, ANarrowMenuBarShowsItsArrow) {
    QMainWindow window;
    for (const char* title : {"Лабораторная работа", "Методические указания", "Справка"})
        window.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("—"));
    window.setCentralWidget(new QWidget);
    window.resize(120, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QToolButton* arrow = nullptr;
    for (QToolButton* button : window.menuBar()->findChildren<QToolButton*>())
        if (button->isVisible())
            arrow = button;
    ASSERT_NE(arrow, nullptr);
    const QIcon base =
        Style()->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_EQ(arrow->icon().pixmap(arrow->iconSize()).toImage(),
              base.pixmap(arrow->iconSize()).toImage());
    EXPECT_FALSE(arrow->grab().toImage().isNull());
}

// Group boxes with and without a title, checkable or not, flat or not, at two
// sizes: every pixel as the Fusion style itself draws them.
TEST(ProgramStyle, GroupBoxFramesLookAsFusionDrawsThem) {
    ASSERT_EQ(Style()->baseStyle()->name().toLower(), QStringLiteral("fusion"));
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_NE(fusion, nullptr);
    const auto drawn = [](QGroupBox& box, const QSize& size) {
        box.resize(size);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        box.render(&image);
        return image;
    };
    for (const QString& title : {QString(), QStringLiteral("Характеристики процессора")})
        for (const bool checkable : {false, true})
            for (const bool flat : {false, true})
                for (const QSize size : {QSize(220, 90), QSize(430, 260)}) {
                    QGroupBox ours(title);
                    QGroupBox theirs(title);
                    theirs.setStyle(fusion.get());
                    for (QGroupBox* box : {&ours, &theirs}) {
                        box->setCheckable(checkable);
                        box->setFlat(flat);
                    }
                    const QImage image = drawn(ours, size);
                    EXPECT_TRUE(image == drawn(theirs, size))
                        << title.size() << ' ' << checkable << ' ' << flat << ' ' << size.width();
                    // Something was drawn: not a blank box.
                    EXPECT_NE(image.pixel(size.width() / 2, size.height() - 2), qRgb(255, 255, 255))
                        << title.size() << ' ' << checkable << ' ' << flat;
                }
}

} // namespace
} // namespace orvik

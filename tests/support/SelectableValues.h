#pragma once

#include "support/TestApp.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>

namespace orvik::test {

// The value labels `names` of `window` become selectable once the pointer
// comes over them, which changes nothing on the screen; a drag over the
// first one then selects its text.
inline void ExpectValuesSelectableWhenPointedAt(QWidget* window,
                                                std::initializer_list<const char*> names) {
    const QImage before = window->grab().toImage();
    QLabel* first = nullptr;
    for (const char* name : names) {
        QLabel* label = Child<QLabel>(window, QString::fromUtf8(name));
        ASSERT_TRUE(label);
        first = first ? first : label;
        EXPECT_FALSE(label->textInteractionFlags() & Qt::TextSelectableByMouse) << name;
        const QPointF at(2, 2);
        QEnterEvent enter(at, at, label->mapToGlobal(at));
        QApplication::sendEvent(label, &enter);
        EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse) << name;
    }
    QApplication::processEvents();
    EXPECT_EQ(window->grab().toImage(), before);

    const int middle = first->height() / 2;
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(first->width() - 1, middle));
    QTest::mouseMove(first, QPoint(1, middle));
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(1, middle));
    EXPECT_TRUE(first->hasSelectedText());
}

} // namespace orvik::test

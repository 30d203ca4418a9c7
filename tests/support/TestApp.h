#pragma once

#include "app/AppContext.h"
#include "app/WindowSet.h"
#include "support/ScriptedDialogs.h"
#include "widgets/SpinBox.h"
#include "workbook/LabState.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace orvik::test {

// The whole program for one test: its state, scripted dialogs and all 23
// windows, created in their order on the offscreen platform.
class TestApp {
public:
    TestApp() : ctx(state, dialogs), windows(std::make_unique<WindowSet>(ctx)) {}
    ~TestApp() {
        windows.reset();
        QApplication::processEvents();
    }

    LabState state;
    ScriptedDialogs dialogs;
    AppContext ctx;
    std::unique_ptr<WindowSet> windows;

    Workbook& wb() { return state.workbook; }
};

// The child of `parent` named `name`; fails the test when there is none.
template <typename T> T* Child(QWidget* parent, const QString& name) {
    T* child = parent->findChild<T*>(name);
    if (!child)
        ADD_FAILURE() << "no child named " << name.toStdString() << " in "
                      << parent->objectName().toStdString();
    return child;
}

// The button of `parent` whose caption is `text`.
inline QAbstractButton* ButtonNamed(QWidget* parent, const QString& text) {
    for (QAbstractButton* b : parent->findChildren<QAbstractButton*>())
        if (b->text() == text)
            return b;
    ADD_FAILURE() << "no button \"" << text.toStdString() << "\" in "
                  << parent->objectName().toStdString();
    return nullptr;
}

// The text box of a spin box, to type into it.
inline QLineEdit* EditOf(SpinBox* box) {
    return box ? box->findChild<QLineEdit*>() : nullptr;
}

inline QString LabelText(QWidget* parent, const QString& name) {
    QLabel* label = Child<QLabel>(parent, name);
    return label ? label->text() : QString();
}

} // namespace orvik::test

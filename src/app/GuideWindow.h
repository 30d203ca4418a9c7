#pragma once

#include "widgets/WindowPlacement.h"

#include <QWidget>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace orvik {

class AppContext;

// TForm2: the guide. Starts or opens a workbook, leads to a lab work and one
// of its parts, refuses a part whose prerequisite is not done and opens the
// part's window. It closes only through its own buttons.
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    explicit GuideWindow(AppContext& ctx);

    // Shows `page` (0..4) with `preselect` selected, or the page's default
    // item when there is none (or it is not an item of the page).
    void SetGuidePage(int page, std::optional<int> preselect);
    // Sets CurrentPart and opens the lab window of `part` when its
    // prerequisite is done; otherwise tells the student what to do first.
    void OpenLabPart(int part);

    int GuidePage() const { return page_; }
    int selectedItem() const;
    bool GuideMayClose = false;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rightButton();
    void leftButton();
    void closeGuide();
    int defaultItem(int page) const;

    AppContext& ctx_;
    int page_ = 0;
    QLabel* picture_ = nullptr; // holds its picture only while the guide shows
    QLabel* prompt_ = nullptr;
    QWidget* items_ = nullptr;
    QVBoxLayout* itemsLayout_ = nullptr;
    QButtonGroup* group_ = nullptr;
    QCheckBox* autoStart_ = nullptr;
    QPushButton* left_ = nullptr;
    QPushButton* ok_ = nullptr;
    BeneathLock mainLock_;
};

} // namespace orvik

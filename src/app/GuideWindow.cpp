#include "app/GuideWindow.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "widgets/BoldLabel.h"
#include "widgets/Dialogs.h"
#include "widgets/LabFrame.h"
#include "widgets/WindowPlacement.h"
#include "workbook/Progress.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace orvik {

namespace {

struct GuidePageText {
    const char* prompt;
    std::vector<const char*> items;
    const char* left;
    bool leftEnabled;
};

const std::array<GuidePageText, 5>& Pages() {
    static const std::array<GuidePageText, 5> pages{{
        {"Выберите номер лабораторной работы:",
         {"Справка: Методические указания по курсу ОРВИК", "Лабораторная работа N1",
          "Лабораторная работа N2", "Лабораторная работа N3"},
         "Отмена",
         true},
        {"Выберите задание:",
         {"Задание на лабораторную работу 1", "Расчет характеристик процессора", "Деловая игра"},
         "< Назад",
         true},
        {"Выберите задание:",
         {"Задание на лабораторную работу 2", "Оценка характеристик задачи",
          "Расчет характеристик процессора", "Расчет характеристик памяти",
          "Расчет характеристик компьютера"},
         "< Назад",
         true},
        {"Выберите задание:",
         {"Задание на лабораторную работу 3", "Моделирование деятельности компьютерной фирмы"},
         "< Назад",
         true},
        {"Выберите действие:",
         {"Начать новую работу", "Открыть сохраненную работу"},
         "Отмена",
         false},
    }};
    return pages;
}

// Where each lab part stands in the guide (its lab work's page and the item
// of that page) and the window that does it.
struct GuidePart {
    int part;
    int page;
    int item;
    LabWindow window;
};

constexpr GuidePart kGuideParts[] = {
    {PartProcessor1, 1, 1, LabWindow::ProcessorInput},
    {PartBusinessGame, 1, 2, LabWindow::Game},
    {PartTask, 2, 1, LabWindow::TaskInput},
    // The processor window takes its mode (lab 1 or lab 2) from CurrentPart.
    {PartProcessor2, 2, 2, LabWindow::ProcessorInput},
    {PartMemory, 2, 3, LabWindow::MemoryInput},
    {PartComputer, 2, 4, LabWindow::ComputerInput},
    {PartFirm, 3, 1, LabWindow::FirmInput},
};

const GuidePart* GuidePartOf(int part) {
    for (const GuidePart& g : kGuideParts)
        if (g.part == part)
            return &g;
    return nullptr;
}

const GuidePart* GuidePartAt(int page, int item) {
    for (const GuidePart& g : kGuideParts)
        if (g.page == page && g.item == item)
            return &g;
    return nullptr;
}

} // namespace

GuideWindow::GuideWindow(AppContext& ctx) : QWidget(nullptr, kFixedWindowFlags), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Путеводитель"));
    setWindowIcon(ctx_.pictures.AppIcon);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    // The picture is painted each time the guide opens and let go when it
    // closes; its place keeps the picture's size meanwhile.
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("GuidePicture"));
    picture_->setFixedWidth(kGuidePictureSize.width());
    picture_->setMinimumHeight(kGuidePictureSize.height());
    picture_->setAlignment(Qt::AlignTop);
    outer->addWidget(picture_);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 14, 14, 12);
    body->setSpacing(8);
    prompt_ = MakeBoldLabel(QString(), this, 1);
    prompt_->setObjectName(QStringLiteral("prompt"));
    body->addWidget(prompt_);

    items_ = new QGroupBox(this);
    items_->setObjectName(QStringLiteral("RadioGroup"));
    itemsLayout_ = new QVBoxLayout(items_);
    itemsLayout_->setContentsMargins(12, 10, 12, 10);
    itemsLayout_->setSpacing(8);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    body->addWidget(items_, 1);

    autoStart_ = new QCheckBox(QStringLiteral("Загружать путеводитель автоматически"), this);
    autoStart_->setObjectName(QStringLiteral("GuideAutoStart"));
    body->addWidget(autoStart_);

    auto* buttons = new QHBoxLayout;
    left_ = new QPushButton(this);
    left_->setObjectName(QStringLiteral("leftButton"));
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("rightButton"));
    for (QPushButton* b : {left_, ok_})
        b->setMinimumWidth(96);
    buttons->addWidget(left_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    body->addLayout(buttons);
    outer->addLayout(body, 1);

    connect(ok_, &QPushButton::clicked, this, [this] { Guarded(ctx_, [this] { rightButton(); }); });
    connect(left_, &QPushButton::clicked, this,
            [this] { Guarded(ctx_, [this] { leftButton(); }); });

    // One size for every page: the radio group takes the room of the page
    // with the most and the widest items, and the window fits around it.
    QSize largest;
    for (int page = 0; page < static_cast<int>(Pages().size()); ++page) {
        SetGuidePage(page, std::nullopt);
        largest = largest.expandedTo(items_->sizeHint());
    }
    items_->setMinimumSize(largest);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    SetGuidePage(4, std::nullopt);
}

int GuideWindow::defaultItem(int page) const {
    const Workbook& wb = ctx_.state.workbook;
    switch (page) {
    case 1:
        return wb.done(PartProcessor1) && !wb.done(PartBusinessGame) ? 2 : 1;
    case 2:
        if (wb.done(PartComputer) || wb.done(PartMemory))
            return 4;
        if (wb.done(PartProcessor2))
            return 3;
        if (wb.done(PartTask))
            return 2;
        return 1;
    case 4:
        return 0;
    default:
        return 1;
    }
}

void GuideWindow::SetGuidePage(int page, std::optional<int> preselect) {
    if (page < 0 || page >= static_cast<int>(Pages().size()))
        return;
    const GuidePageText& text = Pages()[static_cast<std::size_t>(page)];
    page_ = page;
    prompt_->setText(QString::fromUtf8(text.prompt));

    for (QAbstractButton* old : group_->buttons()) {
        group_->removeButton(old);
        delete old;
    }
    while (QLayoutItem* rest = itemsLayout_->takeAt(0))
        delete rest; // the stretch of the page before
    const int count = static_cast<int>(text.items.size());
    for (int i = 0; i < count; ++i) {
        auto* item =
            new QRadioButton(QString::fromUtf8(text.items[static_cast<std::size_t>(i)]), items_);
        item->setObjectName(QStringLiteral("item%1").arg(i));
        group_->addButton(item, i);
        itemsLayout_->addWidget(item);
    }
    itemsLayout_->addStretch(); // keeps the items at the top of the group

    left_->setText(QString::fromUtf8(text.left));
    left_->setEnabled(text.leftEnabled);
    ok_->setText(QStringLiteral("OK"));

    const int item =
        preselect && *preselect >= 0 && *preselect < count ? *preselect : defaultItem(page);
    if (QAbstractButton* chosen = group_->button(item))
        chosen->setChecked(true);
}

int GuideWindow::selectedItem() const {
    return group_->checkedId();
}

void GuideWindow::closeGuide() {
    GuideMayClose = true;
    close();
}

void GuideWindow::rightButton() {
    const int item = selectedItem();
    switch (page_) {
    case 0:
        if (item == 0) {
            closeGuide();
            ctx_.ShowTaskText(TaskCourseGuide);
        } else if (item >= 1 && item <= 3) {
            SetGuidePage(item, std::nullopt);
        }
        break;
    case 1:
    case 2:
    case 3: {
        // A lab work's page: its task text first, then its parts.
        static constexpr int kTaskTexts[] = {TaskLab1, TaskLab2, TaskLab3};
        closeGuide();
        if (item == 0)
            ctx_.ShowTaskText(kTaskTexts[page_ - 1]);
        else if (const GuidePart* part = GuidePartAt(page_, item))
            OpenLabPart(part->part);
        break;
    }
    case 4:
        closeGuide();
        if (ctx_.windows.main) {
            if (item == 0)
                ctx_.windows.main->newWorkbook();
            else if (item == 1)
                ctx_.windows.main->openWorkbook();
        }
        break;
    default:
        break;
    }
}

void GuideWindow::leftButton() {
    if (page_ == 0 || page_ == 4)
        closeGuide();
    else
        SetGuidePage(0, std::nullopt);
}

void GuideWindow::OpenLabPart(int part) {
    ctx_.state.CurrentPart = part;
    if (const auto missing = MissingStep(ctx_.state.workbook, part)) {
        ctx_.dialogs.inform(QString::fromUtf8(missing->message));
        if (const GuidePart* needed = GuidePartOf(missing->needs))
            ctx_.ShowGuide(needed->page, needed->item);
        return;
    }
    if (const GuidePart* g = GuidePartOf(part))
        if (auto* frame = qobject_cast<LabFrame*>(ctx_.window(g->window)))
            frame->open();
}

void GuideWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    picture_->setPixmap(PaintGuidePicture());
    PrepareFixedWindow(this);
    CentreOn(this, nullptr);
    mainLock_.lock(this, ctx_.mainWindow());
    GuideMayClose = false;
    autoStart_->setChecked(ctx_.state.workbook.GuideAutoStart != 0);
    ok_->setFocus();
}

void GuideWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    ctx_.state.workbook.GuideAutoStart = autoStart_->isChecked() ? 1 : 0;
    mainLock_.release();
    picture_->setPixmap(QPixmap());
}

void GuideWindow::closeEvent(QCloseEvent* event) {
    if (GuideMayClose)
        event->accept();
    else
        event->ignore();
}

void GuideWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return; // the guide closes only through its buttons
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter goes on as "OK" does, or presses the button that has the focus.
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* button = focused && focused->isEnabled() ? focused : ok_;
        if (button->isEnabled())
            button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace orvik

#pragma once

#include "game/GameSession.h"
#include "widgets/LabFrame.h"
#include "widgets/PictureExport.h"

#include <array>
#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace orvik {

class SpinBox;

// TForm23 "Деловая игра": the student's firm against three rivals for eight
// years. The year's header, the decision, its forecast against the rivals'
// published offers, the move, the results of all four firms, the history
// with its chart and, at the end, the final standing. The game's state lives
// in the workbook; the window replays it each time it opens.
class GameWindow : public LabFrame {
    Q_OBJECT
public:
    explicit GameWindow(UiContext& ctx);

    // The buttons' work.
    void calculate();
    void makeMove();
    void restart();
    void startAgain(); // without asking

    const GameSession* session() const { return session_ ? &*session_ : nullptr; }

protected:
    bool prepare() override;

private:
    QWidget* buildHeader();
    QWidget* buildDecision();
    QWidget* buildStanding();
    QWidget* buildHistory();
    // The history chart for export: its painting, and as a picture.
    PaintPicture paintChart() const;
    QImage chartPicture() const;
    int studentVariant() const;
    bool decisionPlayable();
    // The decision boxes show decision_, the МЛР box starting at the year's
    // smallest size.
    void loadDecision();
    void refresh();
    void showOffers(const GameForecast* forecast);
    void showResults(const YearResult& year);
    void showHistory();
    void showStanding();

    std::optional<GameSession> session_;
    GameDecision decision_{};

    QLabel* year_ = nullptr;
    QLabel* defect_ = nullptr;
    QLabel* smallest_ = nullptr;
    std::array<QLabel*, kSegmentCount> market_{};
    QLabel* restarts_ = nullptr;

    QComboBox* technology_ = nullptr;
    SpinBox* minFeature_ = nullptr;
    std::vector<SpinBox*> boxes_;
    QPushButton* calculate_ = nullptr;
    QPushButton* move_ = nullptr;

    QTabWidget* tabs_ = nullptr;
    QLabel* forecastNote_ = nullptr;
    QTableWidget* forecast_ = nullptr;
    QLabel* resultsNote_ = nullptr;
    QTableWidget* results_ = nullptr;
    QTableWidget* history_ = nullptr;
    QWidget* chart_ = nullptr;

    QGroupBox* standingBox_ = nullptr;
    std::array<QLabel*, kGameFirmCount> places_{};
    QLabel* verdict_ = nullptr;
};

} // namespace orvik

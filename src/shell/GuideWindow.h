#pragma once

#include <QWidget>

#include <optional>

namespace orvik {

class AppContext;

// TForm2: the guide (its content is still to come).
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    explicit GuideWindow(AppContext& ctx);

    void SetGuidePage(int page, std::optional<int> preselect);

private:
    AppContext& ctx_;
};

} // namespace orvik

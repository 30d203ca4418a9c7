#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm9 (its content is still to come).
class StudentDataDialog : public QWidget {
    Q_OBJECT
public:
    explicit StudentDataDialog(AppContext& ctx);

private:
    AppContext& ctx_;
};

} // namespace orvik

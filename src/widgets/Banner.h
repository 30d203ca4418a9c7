#pragma once

#include <QPixmap>
#include <QWidget>

namespace orvik {

struct Pictures;

// The decorative banner across the top of the program's windows: the three
// shared banner pictures (left end, stretched middle, right end) with a
// heading in bold italic.
class Banner : public QWidget {
    Q_OBJECT
public:
    Banner(const Pictures& pictures, const QString& heading, QWidget* parent = nullptr);

    QString heading() const { return heading_; }
    void setHeading(const QString& heading);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap left_, middle_, right_;
    QString heading_;
};

} // namespace orvik

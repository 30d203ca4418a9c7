#pragma once

#include <QPixmap>
#include <QSize>

namespace orvik {

// The program's pictures, held by the splash window and copied by the
// windows that show them. All are painted in code.
struct Pictures {
    QPixmap ImageMain;   // splash picture; released once the splash has closed
    QPixmap ImageBlue;   // first animation frame; not-done indicator; student data icons
    QPixmap ImageBlue2;  // second animation frame
    QPixmap ImageBlue3;  // third animation frame
    QPixmap ImageGreen;  // done indicator
    QPixmap ImageLeft;   // banner, left end
    QPixmap ImageMiddle; // banner, middle piece (stretched)
    QPixmap ImageRight;  // banner, right end
    QPixmap ButtonNew, ButtonOpen, ButtonSave, ButtonSaveAs;
    QPixmap ButtonStudent, ButtonGuide, ButtonReport;
    QPixmap AppIcon;
};

Pictures PaintPictures();

// The tall picture at the guide's left, painted by the guide each time it
// opens.
inline constexpr QSize kGuidePictureSize(130, 300);
QPixmap PaintGuidePicture();

// The splash picture alone, 480 x 300, for a window that shows it later (the
// About window paints its own while it is shown).
QPixmap PaintSplashPicture();

} // namespace orvik

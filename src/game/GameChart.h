#pragma once

#include "game/Game.h"

#include <QImage>

class QPainter;

#include <vector>

namespace orvik {

// The game's history as a picture, drawn as the graph window draws: two
// white framed panels side by side, each with its axes, scales and legend.
// On the left the cash of the four firms at the end of each year (million
// roubles), on the right the market share of the student's firm in each
// segment (per cent). Draws into the top-left w x h pixels of `picture`.
void DrawGameChart(QImage& picture, int w, int h, const std::vector<YearResult>& years);
// The same chart painted with `p` on a w x h area: on an image, or as
// vector drawing.
void PaintGameChart(QPainter& p, int w, int h, const std::vector<YearResult>& years);

} // namespace orvik

#pragma once

#include "report/TablePages.h"

namespace orvik {

struct Workbook;

// "Лаб.1 - деловая игра": the years of the student's firm, the final
// standing (or how far the game has come) and the chart of the game,
// replayed from the saved decisions.
TablePage BusinessGamePage(const Workbook& workbook);

} // namespace orvik

// DrawGraph at the largest window size and at the report page's size, for
// the default circuit variant's curves, beside its floor: a bare QPainter
// drawing the same frame, texts and lines, prepared beforehand.
#include "core/RealToText.h"
#include "processor/Curves.h"
#include "processor/DrawGraph.h"
#include "processor/ProcessorModel.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

struct Fixture {
    Fixture() {
        if (!QGuiApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "bench_ui";
            static char* argv[] = {name, nullptr};
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        orvik::ProcessorRecord working{};
        orvik::ResetProcessorInputs(working);
        orvik::ComputeCurves(working, table, curves);
    }
    std::unique_ptr<QGuiApplication> app;
    orvik::CurveTableData table{};
    orvik::CurveResults curves{};
    QImage bitmap{1600, 1200, QImage::Format_RGB32};
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_DrawGraph(benchmark::State& state) {
    Fixture& f = Shared();
    const orvik::GraphData data{f.table, f.curves, QStringLiteral("ЭСЛ")};
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const int kind = static_cast<int>(state.range(2));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvik::DrawGraph(f.bitmap, w, h, kind, data));
}

// What a plain program would paint for the same graph: texts at their
// baselines and polylines, all worked out before the clock runs.
struct Scene {
    struct Text {
        int font;
        QPoint baseline;
        QString text;
    };
    std::array<QFont, 3> fonts; // title, axis titles, scales
    std::vector<Text> texts;
    std::vector<QPolygon> lines;
};

Scene MakeScene(int w, int h, int kind, const orvik::GraphData& data) {
    Scene s;
    s.fonts = {orvik::GraphFont(16, true, true), orvik::GraphFont(11, true, false),
               orvik::GraphFont(11, false, false)};
    const auto text = [&s](int font, int x, int top, const QString& t, bool right = false) {
        const QFontMetrics fm(s.fonts[static_cast<std::size_t>(font)]);
        s.texts.push_back(
            {font, QPoint(right ? x - fm.horizontalAdvance(t) : x, top + fm.ascent()), t});
    };
    const auto real = [](double x, int decimals) {
        return QString::fromStdString(orvik::RealToText(x, decimals));
    };
    const orvik::GraphKindInfo& info = *orvik::GraphKindAt(kind);
    text(0, w - 10, 5, data.technology + QStringLiteral(" 250"), true);
    text(1, 5, 10, QString::fromUtf8(info.verticalTitle));
    text(1, w - 10, h - 18, info.area ? QStringLiteral("Пл.кр") : QStringLiteral("МЛР"), true);
    s.lines = {QPolygon({QPoint(50, h - 50), QPoint(w - 30, h - 50), QPoint(w - 35, h - 55)}),
               QPolygon({QPoint(w - 30, h - 50), QPoint(w - 35, h - 45)}),
               QPolygon({QPoint(60, h - 40), QPoint(60, 40), QPoint(55, 45)}),
               QPolygon({QPoint(60, 40), QPoint(65, 45)})};
    const double yMax =
        info.allSets ? std::max({orvik::CurveMax(kind, data, 0), orvik::CurveMax(kind, data, 1),
                                 orvik::CurveMax(kind, data, 2)})
                     : orvik::CurveMax(kind, data, 1);
    for (int i = 1; i <= 9; ++i) {
        const int y = static_cast<int>(std::lround((h - 50) - (h - 100) * i / 9.0));
        s.lines.push_back(QPolygon({QPoint(55, y), QPoint(62, y)}));
        text(2, 5, y - 8, real(i * yMax / 9, info.decimals));
    }
    const double start = data.curves.MlrSweepStart;
    for (int i = info.area ? 1 : 0; i <= 9; ++i) {
        const int x = static_cast<int>(std::lround((w - 100) * i / 9.0 + 60));
        s.lines.push_back(QPolygon({QPoint(x, h - 52), QPoint(x, h - 45)}));
        text(2, x - 15, h - 40, real(info.area ? i / 9.0 : (3 - start) * i / 9 + start, 2));
    }
    for (int set = 0; set < 3; ++set) {
        if (!info.allSets && set != 1)
            continue;
        QPolygon curve; // from the first row with good chips, far points held near
        for (int j = 0; j < 50; ++j) {
            if (curve.isEmpty() &&
                !data.table[static_cast<std::size_t>(set)][static_cast<std::size_t>(j)]
                     .HasGoodChips)
                continue;
            const double y = (h - 50) - orvik::CurveValue(kind, data, set, j) * (h - 100) / yMax;
            curve << QPoint(static_cast<int>(std::lround((j + 1) * (w - 100) / 50.0 + 60)),
                            static_cast<int>(std::lround(std::clamp(y, -1e6, 1e6))));
        }
        s.lines.push_back(curve);
    }
    return s;
}

void BM_DrawGraphFloor(benchmark::State& state) {
    Fixture& f = Shared();
    const orvik::GraphData data{f.table, f.curves, QStringLiteral("ЭСЛ")};
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const Scene scene = MakeScene(w, h, static_cast<int>(state.range(2)), data);
    for (auto _ : state) {
        QPainter p(&f.bitmap);
        p.setPen(Qt::black);
        p.fillRect(QRect(0, 0, w, h), Qt::white);
        p.drawRect(QRect(0, 0, w - 1, h - 1));
        int font = -1;
        for (const Scene::Text& t : scene.texts) {
            if (t.font != font)
                p.setFont(scene.fonts[static_cast<std::size_t>(font = t.font)]);
            p.drawText(t.baseline, t.text);
        }
        for (const QPolygon& line : scene.lines)
            p.drawPolyline(line);
    }
}

BENCHMARK(BM_DrawGraphFloor)
    ->Args({1600, 1200, 0})
    ->Args({1600, 1200, 3})
    ->Args({650, 450, 0})
    ->Args({650, 450, 3})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_DrawGraph)
    ->Args({1600, 1200, 0})
    ->Args({1600, 1200, 3})
    ->Args({650, 450, 0})
    ->Args({650, 450, 3})
    ->Unit(benchmark::kMicrosecond);

} // namespace

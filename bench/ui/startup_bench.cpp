// Start-up until the main window is painted, and the peak resident size
// after a tour of every window, beside the same for a bare Qt window (and
// for that window with one line of text). Each
// iteration runs bench/tour/orvik_tour as a child process; its CPU time
// (user + system) is the benchmark's time and its peak resident size a
// counter. A start-up run ends the child as soon as its window has been
// painted, so that neither side pays for its ending. The child runs on the platform of this
// process's environment: QT_QPA_PLATFORM=offscreen, or DISPLAY=:N for a real X server.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <vector>

extern char** environ;

namespace {

struct ChildCost {
    bool ok = false;
    double cpuSeconds = 0;
    double peakMb = 0;
};

ChildCost RunTour(const char* mode) {
    ChildCost cost;
    char program[] = ORVIK_TOUR;
    char* argv[] = {program, const_cast<char*>(mode), nullptr};
    // The child's report of its peak goes nowhere: wait4 tells the same.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return cost;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return cost;
    cost.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    cost.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    cost.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0; // kB on Linux
    return cost;
}

void BM_Run(benchmark::State& state, const char* mode) {
    double peak = 0;
    for (auto _ : state) {
        const ChildCost cost = RunTour(mode);
        if (!cost.ok) {
            state.SkipWithError("the child run failed");
            return;
        }
        state.SetIterationTime(cost.cpuSeconds);
        peak = std::max(peak, cost.peakMb);
    }
    state.counters["peak_MB"] = peak;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The program to its main window and the bare window to its first paint, run
// by turns, so that the machine's speed, which drifts on a shared host, weighs
// on all alike. The time is the program's; the counters are the bare
// window's median time and the ratio of the program's median to it, and the
// same for the bare window with one line of text (what the first text costs
// any program, before it shows a second).
void BM_StartUp(benchmark::State& state) {
    std::vector<double> program;
    std::vector<double> bare;
    std::vector<double> text;
    for (auto _ : state) {
        const ChildCost ours = RunTour("program");
        const ChildCost floor = RunTour("bare");
        const ChildCost oneText = RunTour("text");
        if (!ours.ok || !floor.ok || !oneText.ok) {
            state.SkipWithError("the child run failed");
            return;
        }
        state.SetIterationTime(ours.cpuSeconds);
        program.push_back(ours.cpuSeconds);
        bare.push_back(floor.cpuSeconds);
        text.push_back(oneText.cpuSeconds);
    }
    state.counters["bare_ms"] = Median(bare) * 1e3;
    state.counters["ratio"] = Median(program) / Median(bare);
    state.counters["text_ms"] = Median(text) * 1e3;
    state.counters["text_ratio"] = Median(text) / Median(bare);
}
BENCHMARK(BM_StartUp)->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);

// Every window shown and closed, a graph drawn; the bare window for the floor.
BENCHMARK_CAPTURE(BM_Run, PeakMemory_tour, "tour")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Run, PeakMemory_bare_window, "bare")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Run, PeakMemory_text_window, "text")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

// frame-harness [frames] [rounds] [game executable, to measure another build]
// Starts its own Xvfb, then runs the reference loop and the game in turn for the same number
// of frames (each preloaded with the frame probe), from the repository folder, and prints for
// both and as ratios game/reference: CPU time per frame over the whole run and in the steady
// state, wall time from process start to the first presented frame, peak memory,
// frame-interval jitter and heap allocations per steady-state frame.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Run {
    double cpuPerFrameMs = 0;
    double firstFrameMs = 0;
    double peakMiB = 0;
    std::vector<long long> stamps;
    std::vector<unsigned long long> allocations;
    std::vector<long long> cpuStamps;  // process CPU time at each present, ns
};

long long NowNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    const pid_t pid = fork();
    if (pid == 0) {
        for (const auto& e : env) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

Run Measure(const std::string& program, int frames, const std::string& display) {
    const std::string out = "/tmp/frameprobe-" + std::to_string(getpid()) + ".txt";
    const std::vector<std::string> env = {
        "DISPLAY=" + display, "LD_PRELOAD=" FRAMEPROBE_LIBRARY, "FRAMEPROBE_OUT=" + out,
        "FRAMEPROBE_FRAMES=" + std::to_string(frames), "SDL_AUDIODRIVER=dummy"};
    const long long start = NowNs();
    const pid_t pid = Spawn({program}, env);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s ended with status %d\n", program.c_str(), status);
        std::exit(1);
    }
    Run run;
    std::ifstream in(out);
    long long t, c;
    unsigned long long a;
    while (in >> t >> a >> c) {
        run.stamps.push_back(t);
        run.allocations.push_back(a);
        run.cpuStamps.push_back(c);
    }
    std::remove(out.c_str());
    if (run.stamps.empty()) {
        std::fprintf(stderr, "%s presented no frame\n", program.c_str());
        std::exit(1);
    }
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.cpuPerFrameMs = cpu / double(run.stamps.size());
    run.firstFrameMs = double(run.stamps.front() - start) / 1e6;
    run.peakMiB = double(usage.ru_maxrss) / 1024.0;
    return run;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

double Median(std::vector<double> v) { return Percentile(std::move(v), 0.5); }

// Frames after the first second count as the steady state.
size_t Warm(const Run& run) { return std::min<size_t>(60, run.stamps.size() - 1); }

// abs(interval - 1/60 s) of every steady-state frame, in milliseconds.
std::vector<double> Deviations(const Run& run) {
    std::vector<double> deviations;
    for (size_t i = Warm(run) + 1; i < run.stamps.size(); ++i) {
        const double interval = double(run.stamps[i] - run.stamps[i - 1]) / 1e6;
        deviations.push_back(std::fabs(interval - 1000.0 / 60.0));
    }
    return deviations;
}

// Per steady-state frame: a running count's growth divided by the frames.
template <class T>
double PerSteadyFrame(const Run& run, const std::vector<T>& running) {
    const size_t warm = Warm(run), last = run.stamps.size() - 1;
    return last > warm ? double(running[last] - running[warm]) / double(last - warm) : 0.0;
}

// One measure of both programs over the rounds.
struct Row {
    const char* name;
    const char* unit;
    bool ratio;  // print game / reference
    std::vector<double> game, reference, ratios;
    void Add(double g, double r) {
        game.push_back(g);
        reference.push_back(r);
        ratios.push_back(r != 0.0 ? g / r : 0.0);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string gameExecutable = argc > 3 ? argv[3] : GAME_EXECUTABLE;
    if (chdir(GAME_SOURCE_DIR) != 0) return 1;

    const std::string display = ":" + std::to_string(90 + getpid() % 100);
    const pid_t xvfb = Spawn({"Xvfb", display, "-noreset", "-screen", "0", "1024x768x24"}, {});
    usleep(1500000);

    Row rows[] = {{"CPU time per frame, whole run (start-up included)", "ms", true, {}, {}, {}},
                  {"CPU time per frame, steady state (after the first second)", "ms", true, {}, {}, {}},
                  {"CPU time up to the first frame (start-up)", "ms", true, {}, {}, {}},
                  {"wall time from process start to the first frame", "ms", true, {}, {}, {}},
                  {"peak memory", "MiB", true, {}, {}, {}},
                  {"frame jitter, median of abs(interval - 1/60 s)", "ms", false, {}, {}, {}},
                  {"frame jitter, 99th percentile", "ms", false, {}, {}, {}},
                  {"heap allocations per steady-state frame", "", false, {}, {}, {}}};
    for (int round = 0; round < rounds; ++round) {
        const Run ref = Measure(REFERENCE_EXECUTABLE, frames, display);
        const Run game = Measure(gameExecutable, frames, display);
        rows[0].Add(game.cpuPerFrameMs, ref.cpuPerFrameMs);
        rows[1].Add(PerSteadyFrame(game, game.cpuStamps) / 1e6, PerSteadyFrame(ref, ref.cpuStamps) / 1e6);
        rows[2].Add(double(game.cpuStamps.front()) / 1e6, double(ref.cpuStamps.front()) / 1e6);
        rows[3].Add(game.firstFrameMs, ref.firstFrameMs);
        rows[4].Add(game.peakMiB, ref.peakMiB);
        rows[5].Add(Median(Deviations(game)), Median(Deviations(ref)));
        rows[6].Add(Percentile(Deviations(game), 0.99), Percentile(Deviations(ref), 0.99));
        rows[7].Add(PerSteadyFrame(game, game.allocations), PerSteadyFrame(ref, ref.allocations));
        std::printf("round %d:", round + 1);
        for (const Row& row : rows) std::printf(" %.3f/%.3f", row.game.back(), row.reference.back());
        std::printf("  (game/reference, in table order)\n");
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);

    std::printf("\n| measure (median of %d rounds, %d frames each) | game / reference | game | reference |\n"
                "|---|---|---|---|\n",
                rounds, frames);
    for (const Row& row : rows) {
        std::printf("| %s | ", row.name);
        if (row.ratio) std::printf("%.2f", Median(row.ratios));
        const char* space = *row.unit ? " " : "";
        std::printf(" | %.3f%s%s | %.3f%s%s |\n", Median(row.game), space, row.unit, Median(row.reference), space,
                    row.unit);
    }
    return 0;
}

// frame-harness [seconds] [rounds] [game executable, to measure another build]
// Starts its own Xvfb, then per round runs the reference loop and the game in four states, each
// preloaded with the frame probe, from the repository folder: standing still, walking back and
// forth with the arrow keys held through the X server (xdotool), in the editor with nothing
// painted, and unmapped (what a minimised window is to the game). Each run is measured for
// `seconds` after a warm-up of three seconds. It prints, per state, the process's CPU time per
// second (all threads, from /proc) for the game and the reference and their ratio, presents per
// second and heap allocations per 1/60 s step; then the start-up (CPU and wall time to the first
// frame, peak memory) and the jitter of the frames presented while walking.
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
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double warmSeconds = 3.0;
constexpr double stepMs = 1000.0 / 60.0;

enum class State { Reference, Still, Walking, Editor, Unmapped };
const char* const stateNames[] = {"reference loop", "standing still", "walking back and forth (keys held)",
                                  "editor, nothing painted", "unmapped (minimised)"};

struct Run {
    double cpuPerSecondMs = 0;  // in the measured window
    double presentsPerSecond = 0;
    double allocationsPerStep = 0;
    double firstFrameCpuMs = 0, firstFrameWallMs = 0, peakMiB = 0;
    std::vector<double> deviations;  // of each presented interval from whole steps, ms
};

long long NowNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

void SleepSeconds(double s) { usleep(useconds_t(s * 1e6)); }

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

// Runs xdotool on the harness's display and gives its first line of output.
std::string Xdotool(const std::string& display, const std::string& args) {
    std::string line;
    if (FILE* out = popen(("DISPLAY=" + display + " xdotool " + args).c_str(), "r")) {
        char buffer[128];
        if (std::fgets(buffer, sizeof buffer, out)) line = buffer;
        pclose(out);
    }
    while (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
}

// User plus system time of the process and all its threads, in ms (clock ticks).
double CpuMs(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int i = 3; i < 14; ++i) fields >> skip;  // state ... cmajflt
    double user = 0, system = 0;
    fields >> user >> system;
    return (user + system) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// Drives the game into `state` and keeps it there until `until` (ns, monotonic).
void Drive(State state, const std::string& display, const std::string& window, long long until) {
    if (state == State::Reference || state == State::Still) return;
    Xdotool(display, "windowfocus --sync " + window);
    // Held for a few frames: a press and release within one frame would leave no trace.
    if (state == State::Editor) Xdotool(display, "keydown e sleep 0.1 keyup e");
    if (state == State::Unmapped) Xdotool(display, "windowunmap --sync " + window);
    if (state != State::Walking) return;
    // A step takes 0.17 s: each hold walks one cell, to the right and back.
    for (bool right = true; NowNs() < until; right = !right) {
        const char* key = right ? "Right" : "Left";
        Xdotool(display, std::string("keydown ") + key);
        SleepSeconds(0.2);
        Xdotool(display, std::string("keyup ") + key);
    }
}

Run Measure(const std::string& program, State state, double seconds, const std::string& display) {
    const std::string out = "/tmp/frameprobe-" + std::to_string(getpid()) + ".txt";
    const std::vector<std::string> env = {"DISPLAY=" + display, "LD_PRELOAD=" FRAMEPROBE_LIBRARY,
                                          "FRAMEPROBE_OUT=" + out, "SDL_AUDIODRIVER=dummy"};
    const long long start = NowNs();
    const pid_t pid = Spawn({program}, env);
    const std::string window = Xdotool(display, "search --sync --pid " + std::to_string(pid));
    const long long from = start + (long long)(warmSeconds * 1e9), to = from + (long long)(seconds * 1e9);
    if (state != State::Walking) Drive(state, display, window, to);
    while (NowNs() < from) SleepSeconds(0.01);
    const double cpuFrom = CpuMs(pid);
    const long long measuredFrom = NowNs();
    if (state == State::Walking) Drive(state, display, window, to);
    while (NowNs() < to) SleepSeconds(0.01);
    const double cpuTo = CpuMs(pid);
    const double measured = double(NowNs() - measuredFrom) / 1e9;
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s ended with status %d\n", program.c_str(), status);
        std::exit(1);
    }

    Run run;
    run.cpuPerSecondMs = (cpuTo - cpuFrom) / measured;
    run.peakMiB = double(usage.ru_maxrss) / 1024.0;
    std::ifstream in(out);
    long long t, c, previous = 0, firstT = 0, lastT = 0;
    unsigned long long a, firstA = 0, lastA = 0;
    int presents = 0;
    for (bool first = true; in >> t >> a >> c; first = false) {
        if (first) run.firstFrameCpuMs = double(c) / 1e6, run.firstFrameWallMs = double(t - start) / 1e6;
        if (t >= measuredFrom && t < to) {
            if (presents == 0) firstT = t, firstA = a;
            if (presents > 0) {
                const double interval = double(t - previous) / 1e6;
                run.deviations.push_back(std::fabs(interval - stepMs * std::round(interval / stepMs)));
            }
            lastT = t, lastA = a, ++presents;
        }
        previous = t;
    }
    std::remove(out.c_str());
    run.presentsPerSecond = double(presents) / measured;
    const double steps = double(lastT - firstT) / 1e6 / stepMs;
    run.allocationsPerStep = steps >= 1 ? double(lastA - firstA) / steps : 0.0;
    return run;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

double Median(std::vector<double> v) { return Percentile(std::move(v), 0.5); }

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string gameExecutable = argc > 3 ? argv[3] : GAME_EXECUTABLE;
    if (chdir(GAME_SOURCE_DIR) != 0) return 1;

    const std::string display = ":" + std::to_string(90 + getpid() % 100);
    const pid_t xvfb = Spawn({"Xvfb", display, "-noreset", "-screen", "0", "1024x768x24"}, {});
    SleepSeconds(1.5);

    constexpr int stateCount = 5;
    std::vector<Run> runs[stateCount];
    for (int round = 0; round < rounds; ++round) {
        std::printf("round %d, CPU ms per second:", round + 1);
        for (int s = 0; s < stateCount; ++s) {
            const State state = State(s);
            runs[s].push_back(Measure(state == State::Reference ? REFERENCE_EXECUTABLE : gameExecutable, state,
                                      seconds, display));
            std::printf(" %.1f", runs[s].back().cpuPerSecondMs);
        }
        std::printf("  (in table order)\n");
        std::fflush(stdout);
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);

    const auto median = [&](int s, auto field) {
        std::vector<double> v;
        for (const Run& r : runs[s]) v.push_back(field(r));
        return Median(v);
    };
    const auto ratio = [&](int s, int reference, auto field) {
        std::vector<double> v;
        for (size_t i = 0; i < runs[s].size(); ++i) v.push_back(field(runs[s][i]) / field(runs[reference][i]));
        return Median(v);
    };
    const auto cpu = [](const Run& r) { return r.cpuPerSecondMs; };
    std::printf("\n| median of %d rounds, %.0f s each | CPU per second | %% of one core | game / reference | "
                "presents per second | allocations per step |\n|---|---|---|---|---|---|\n",
                rounds, seconds);
    for (int s = 0; s < stateCount; ++s) {
        std::printf("| %s | %.1f ms | %.1f %% | %.3f | %.1f | %.3f |\n", stateNames[s], median(s, cpu),
                    median(s, cpu) / 10.0, ratio(s, 0, cpu), median(s, [](const Run& r) { return r.presentsPerSecond; }),
                    median(s, [](const Run& r) { return r.allocationsPerStep; }));
    }
    const int still = int(State::Still), walking = int(State::Walking);
    std::printf("\n| measure (median of %d rounds) | game / reference | game | reference |\n|---|---|---|---|\n", rounds);
    const auto row = [&](const char* name, const char* unit, int s, auto field) {
        std::printf("| %s | %.2f | %.3f %s | %.3f %s |\n", name, ratio(s, 0, field), median(s, field), unit,
                    median(0, field), unit);
    };
    row("CPU time up to the first frame (start-up)", "ms", still, [](const Run& r) { return r.firstFrameCpuMs; });
    row("wall time from process start to the first frame", "ms", still,
        [](const Run& r) { return r.firstFrameWallMs; });
    row("peak memory", "MiB", still, [](const Run& r) { return r.peakMiB; });
    row("frame jitter while walking, median of each interval's distance from whole steps", "ms", walking,
        [](const Run& r) { return Median(r.deviations); });
    row("frame jitter while walking, 99th percentile", "ms", walking,
        [](const Run& r) { return Percentile(r.deviations, 0.99); });
    return 0;
}

// frame-harness [frames] [rounds]
// Starts its own Xvfb, then runs the reference loop and the game in turn for the same number
// of frames (each preloaded with the frame probe), from the repository folder, and prints:
// CPU time per frame, wall time from process start to the first presented frame and peak
// memory as ratios game/reference; and for the game, frame-interval jitter and heap
// allocations per steady-state frame.
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
    long long t;
    unsigned long long a;
    while (in >> t >> a) {
        run.stamps.push_back(t);
        run.allocations.push_back(a);
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
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

double Median(std::vector<double> v) { return Percentile(std::move(v), 0.5); }

// abs(interval - 1/60 s) of every frame after the first second, in milliseconds.
std::vector<double> Deviations(const Run& run) {
    const size_t warm = std::min<size_t>(60, run.stamps.size() - 1);
    std::vector<double> deviations;
    for (size_t i = warm + 1; i < run.stamps.size(); ++i) {
        const double interval = double(run.stamps[i] - run.stamps[i - 1]) / 1e6;
        deviations.push_back(std::fabs(interval - 1000.0 / 60.0));
    }
    return deviations;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (chdir(GAME_SOURCE_DIR) != 0) return 1;

    const std::string display = ":" + std::to_string(90 + getpid() % 100);
    const pid_t xvfb = Spawn({"Xvfb", display, "-noreset", "-screen", "0", "1024x768x24"}, {});
    usleep(1500000);

    std::vector<double> cpu, first, peak, jitterMedian, jitterP99, referenceP99, allocationsPerFrame;
    for (int round = 0; round < rounds; ++round) {
        const Run ref = Measure(REFERENCE_EXECUTABLE, frames, display);
        const Run game = Measure(GAME_EXECUTABLE, frames, display);
        cpu.push_back(game.cpuPerFrameMs / ref.cpuPerFrameMs);
        first.push_back(game.firstFrameMs / ref.firstFrameMs);
        peak.push_back(game.peakMiB / ref.peakMiB);
        std::printf("round %d: reference %.3f ms CPU/frame, %.1f ms to first frame, %.1f MiB; "
                    "game %.3f ms, %.1f ms, %.1f MiB\n",
                    round + 1, ref.cpuPerFrameMs, ref.firstFrameMs, ref.peakMiB,
                    game.cpuPerFrameMs, game.firstFrameMs, game.peakMiB);
        // Steady state: skip the first second.
        const std::vector<double> deviations = Deviations(game);
        jitterMedian.push_back(Median(deviations));
        jitterP99.push_back(Percentile(deviations, 0.99));
        referenceP99.push_back(Percentile(Deviations(ref), 0.99));
        const size_t warm = std::min<size_t>(60, game.stamps.size() - 1);
        const size_t last = game.stamps.size() - 1;
        allocationsPerFrame.push_back(double(game.allocations[last] - game.allocations[warm]) /
                                      double(last - warm));
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);

    std::printf("\n| measure (median of %d rounds, %d frames each) | value |\n|---|---|\n", rounds,
                frames);
    std::printf("| CPU time per frame, game / reference | %.2f |\n", Median(cpu));
    std::printf("| wall time to first frame, game / reference | %.2f |\n", Median(first));
    std::printf("| peak memory, game / reference | %.2f |\n", Median(peak));
    std::printf("| game frame jitter, median abs(interval - 1/60 s) | %.3f ms |\n", Median(jitterMedian));
    std::printf("| game frame jitter, 99th percentile | %.3f ms |\n", Median(jitterP99));
    std::printf("| reference frame jitter, 99th percentile (for comparison) | %.3f ms |\n", Median(referenceP99));
    std::printf("| game heap allocations per steady-state frame | %.2f |\n", Median(allocationsPerFrame));
    return 0;
}

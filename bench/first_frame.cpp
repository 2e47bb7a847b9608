// Start-up benchmark: how long after it is started the game shows its first
// frame, against an empty GLUT window of the same size started the same way,
// alternately, in one run. Both are timed from outside: from just before the
// fork to the return of the first glXSwapBuffers, which the swap-timing
// library (LD_PRELOAD) stamps on the machine's monotonic clock and then ends
// the program.
//
//   cd <build> && xvfb-run -a -s "-screen 0 1280x1024x24" ./bench/bench_first_frame [runs]
//
// Run from a directory holding the generated data/ (the build tree).
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

double nowSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Seconds from the fork to the first swap's return; negative when the
// program never swapped.
double firstFrame(const char* program, const std::string& log) {
    std::remove(log.c_str());
    const double start = nowSeconds();
    const pid_t child = fork();
    if (child == 0) {
        setenv("LD_PRELOAD", ZUMBRA_SWAP_TIMER, 1);
        setenv("ZUMBRA_SWAP_LOG", log.c_str(), 1);
        setenv("ZUMBRA_SWAP_EXIT", "1", 1);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::ifstream in(log);
    long long ns = 0;
    if (!(in >> ns)) {
        return -1.0;
    }
    return double(ns) * 1e-9 - start;
}

struct Summary {
    double median, min, max;
};

Summary summarise(std::vector<double> s) {
    std::sort(s.begin(), s.end());
    return {s[s.size() / 2], s.front(), s.back()};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string log = "first_frame_swaps.txt";
    std::vector<double> game, empty;
    // One of each first, not counted: the disk cache and the X server warm up.
    firstFrame(ZUMBRA_GAME, log);
    firstFrame(ZUMBRA_EMPTY_WINDOW, log);
    for (int i = 0; i < runs; ++i) {
        const double g = firstFrame(ZUMBRA_GAME, log);
        const double e = firstFrame(ZUMBRA_EMPTY_WINDOW, log);
        if (g < 0.0 || e < 0.0) {
            std::fprintf(stderr, "bench_first_frame: a program showed no frame\n");
            return 1;
        }
        game.push_back(g);
        empty.push_back(e);
    }
    std::remove(log.c_str());
    const Summary g = summarise(game), e = summarise(empty);
    std::printf("first frame, game          runs %3d  median %6.3f s  min %6.3f  max %6.3f\n", runs,
                g.median, g.min, g.max);
    std::printf("first frame, empty window  runs %3d  median %6.3f s  min %6.3f  max %6.3f\n", runs,
                e.median, e.min, e.max);
    std::printf("first frame ratio          game / empty window, medians: %.2fx\n",
                g.median / e.median);
    return 0;
}

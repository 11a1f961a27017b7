// Start-up of Korvell against a bare Qt window, measured from outside under one
// X server: each start is timed from the spawn of the program to the MapNotify
// of its first top-level window (the program's own, told by _NET_WM_PID), and
// its resident memory is read from /proc at that moment. The two programs are
// started in pairs, the order alternating from pair to pair; the first pair
// warms the caches and is not counted. Prints the medians over the pairs.
//
//   korvell_startup_bench [--pairs N] [--verbose] PROGRAM BARE
//
// DISPLAY names the X server; the started programs inherit the environment.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Start {
    double Seconds = 0;    // spawn to the mapping of the window
    double RssMiB = 0;     // resident memory once the window is mapped
    double CpuSeconds = 0; // time its threads ran until then
};

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double RssMiB(pid_t Pid) {
    std::ifstream status("/proc/" + std::to_string(Pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return 0;
}

// The time all threads of a process have run so far, in seconds.
double CpuSeconds(pid_t Pid) {
    const std::string dir = "/proc/" + std::to_string(Pid) + "/task";
    double total = 0;
    if (DIR* tasks = opendir(dir.c_str())) {
        while (const dirent* task = readdir(tasks)) {
            if (task->d_name[0] == '.') continue;
            std::ifstream stat(dir + "/" + task->d_name + "/schedstat");
            double ns = 0;
            if (stat >> ns) total += ns * 1e-9;
        }
        closedir(tasks);
    }
    return total;
}

[[noreturn]] void Fail(const std::string& What) {
    std::fprintf(stderr, "korvell_startup_bench: %s\n", What.c_str());
    std::exit(1);
}

// The process that owns a window, as the window says (0 when it does not).
long WindowPid(Display* D, Window W, Atom PidAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(D, W, PidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (type == XA_CARDINAL && format == 32 && count == 1) pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

int IgnoreXError(Display*, XErrorEvent*) {
    return 0; // a window gone before its property was read
}

Start Launch(Display* D, Atom PidAtom, const std::string& Program) {
    // Events of earlier starts are of no interest.
    XSync(D, False);
    while (XPending(D)) {
        XEvent e;
        XNextEvent(D, &e);
    }
    char* argv[] = {const_cast<char*>(Program.c_str()), nullptr};
    pid_t pid = 0;
    const double t0 = Now();
    if (const int err = posix_spawn(&pid, Program.c_str(), nullptr, nullptr, argv, environ))
        Fail("cannot start " + Program + ": " + std::strerror(err));
    const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidFd < 0) Fail(std::string("pidfd_open: ") + std::strerror(errno));

    Start s;
    bool mapped = false;
    while (!mapped) {
        while (!mapped && XPending(D)) {
            XEvent e;
            XNextEvent(D, &e);
            if (e.type != MapNotify || e.xmap.override_redirect) continue;
            const double t1 = Now();
            if (WindowPid(D, e.xmap.window, PidAtom) != pid) continue;
            s.Seconds = t1 - t0;
            s.RssMiB = RssMiB(pid);
            s.CpuSeconds = CpuSeconds(pid);
            mapped = true;
        }
        if (mapped) break;
        // Waits for the X server or the end of the program, whichever speaks first.
        pollfd fds[] = {{ConnectionNumber(D), POLLIN, 0}, {pidFd, POLLIN, 0}};
        if (poll(fds, 2, 60000) <= 0) Fail(Program + " showed no window within a minute");
        if (fds[1].revents & POLLIN) Fail(Program + " ended before it showed a window");
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    close(pidFd);
    return s;
}

double Median(std::vector<double> V) {
    std::sort(V.begin(), V.end());
    const std::size_t n = V.size();
    return n % 2 ? V[n / 2] : (V[n / 2 - 1] + V[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    int pairs = 12;
    bool verbose = false;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pairs" && i + 1 < argc)
            pairs = std::atoi(argv[++i]);
        else if (arg == "--verbose")
            verbose = true;
        else
            programs.push_back(arg);
    }
    if (programs.size() != 2 || pairs < 1)
        Fail("usage: korvell_startup_bench [--pairs N] [--verbose] PROGRAM BARE");

    Display* d = XOpenDisplay(nullptr);
    if (!d) Fail("cannot open the display (DISPLAY unset or no X server)");
    XSetErrorHandler(IgnoreXError);
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);

    std::vector<double> ratios, cpuRatios, memDiffs, times[2], cpu[2], rss[2];
    for (int pair = 0; pair <= pairs; ++pair) {
        Start s[2];
        const int first = pair % 2; // 0: the program first, 1: the bare window first
        s[first] = Launch(d, pidAtom, programs[first]);
        s[1 - first] = Launch(d, pidAtom, programs[1 - first]);
        if (verbose)
            std::printf("%s pair %2d: program %.3f s (CPU %.3f s) %.1f MiB, "
                        "bare %.3f s (CPU %.3f s) %.1f MiB\n",
                        pair == 0 ? "warm-up" : "       ", pair, s[0].Seconds, s[0].CpuSeconds,
                        s[0].RssMiB, s[1].Seconds, s[1].CpuSeconds, s[1].RssMiB);
        if (pair == 0) continue;
        ratios.push_back(s[0].Seconds / s[1].Seconds);
        cpuRatios.push_back(s[0].CpuSeconds / s[1].CpuSeconds);
        memDiffs.push_back(s[0].RssMiB - s[1].RssMiB);
        for (int k = 0; k < 2; ++k) {
            times[k].push_back(s[k].Seconds);
            cpu[k].push_back(s[k].CpuSeconds);
            rss[k].push_back(s[k].RssMiB);
        }
    }
    XCloseDisplay(d);

    std::printf("pairs: %d (after a warm-up pair)\n", pairs);
    std::printf("bare window:  median %.3f s to the window (CPU %.3f s), %.1f MiB resident\n",
                Median(times[1]), Median(cpu[1]), Median(rss[1]));
    std::printf("program:      median %.3f s to the window (CPU %.3f s), %.1f MiB resident\n",
                Median(times[0]), Median(cpu[0]), Median(rss[0]));
    std::printf("time ratio:   %.2f (median of pairs; of the CPU time until then %.2f)\n",
                Median(ratios), Median(cpuRatios));
    std::printf("memory above: %+.1f MiB (median of pairs)\n", Median(memDiffs));
    return 0;
}

// Measures what a user waits for: the formulas, the number text, a whole
// click, and start-up to a shown window. Prints a table; asserts nothing.
#include "Brumo.h"
#include "engine.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double nsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

volatile float sink;

double chainNs(int rounds)
{
    engine e;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        const float t = float(i % 60 - 20), h = float(i % 3000), p = 1013, f = float(i % 100 + 1);
        const float pO = e.pOrt(h, p), LD = e.LDichte(pO, t), tK = e.tKelvin(t);
        const float pS = e.pSatt(t, tK), Sd = e.saettDef(pS, f);
        const float TP2 = e.TauPunkt2(t, f), pD = e.pDampf(pS, Sd), TP = e.TauPunkt(pD);
        const float s1 = e.spezFeuchte1(pD, pO), s2 = e.spezFeuchte2(s1, LD);
        const float a1 = e.saettFeuchte1(s1, f), a2 = e.saettFeuchte2(a1, LD);
        sink = TP2 + TP + s2 + a2 + e.aequTemp(t, pD);
    }
    return nsSince(start) / rounds;
}

double num2txtNs(int rounds)
{
    engine e;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        e.num2txt(float(i) * 1.0001f);
    return nsSince(start) / rounds;
}

double zahlTextNs(int rounds)
{
    std::size_t total = 0;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        total += zahlText(float(i) * 1.0001f).size();
    sink = float(total);
    return nsSince(start) / rounds;
}

// The least a click can cost: fourteen plain scratch-file round trips, each
// removed through the shell.
double floorNs()
{
    const auto start = Clock::now();
    for (int i = 0; i < 14; ++i) {
        {
            std::ofstream out("temp");
            out << double(float(i) * 1.0001f);
        }
        char line[1024] = "";
        std::ifstream in("temp");
        in.getline(line, sizeof line);
        in.close();
        [[maybe_unused]] const int rc = std::system("rm temp");
    }
    return nsSince(start);
}

struct ClickTimes {
    double click;
    double floor;
};

ClickTimes clickAgainstFloor(int rounds)
{
    Brumo dialog;
    const QList<QLineEdit *> edits = dialog.findChildren<QLineEdit *>();
    const QStringList input = {"20", "0", "1013", "50"};
    for (int i = 0; i < 4; ++i)
        edits[i]->setText(input[i]);
    auto *start = dialog.findChild<QPushButton *>("pushButtonStarteBerechnung");
    dialog.show();
    QCoreApplication::processEvents();

    std::vector<double> clicks, floors;
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = Clock::now();
        start->click();
        clicks.push_back(nsSince(t0));
        floors.push_back(floorNs());
        QCoreApplication::processEvents();
    }
    return {median(clicks), median(floors)};
}

// In a child started with t0: show the window, note the time it is exposed,
// then do one whole calculation so that the peak memory covers real work.
int startupChild(int argc, char **argv, long long t0)
{
    QApplication app(argc, argv);
    auto *dialog = new Brumo;
    dialog->show();
    QWindow *window = dialog->windowHandle();
    while (!window || !window->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        window = dialog->windowHandle();
    }
    const long long now = Clock::now().time_since_epoch().count();
    std::printf("%lld\n", now - t0);
    std::fflush(stdout);

    const QList<QLineEdit *> edits = dialog->findChildren<QLineEdit *>();
    const QStringList input = {"20", "0", "1013", "50"};
    for (int i = 0; i < 4; ++i)
        edits[i]->setText(input[i]);
    dialog->findChild<QPushButton *>("pushButtonStarteBerechnung")->click();
    QCoreApplication::processEvents();
    return 0;
}

struct Startup {
    double ms;
    double peakMiB;
};

Startup startupOnce(const char *self)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {-1, -1};
    const long long t0 = Clock::now().time_since_epoch().count();
    const pid_t child = fork();
    if (child == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        const std::string stamp = std::to_string(t0);
        execl(self, self, "--startup", stamp.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char buffer[64] = "";
    const ssize_t n = read(fds[0], buffer, sizeof buffer - 1);
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {-1, -1};
    return {std::atoll(buffer) / 1e6, usage.ru_maxrss / 1024.0};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == "--startup")
        return startupChild(1, argv, std::atoll(argv[2]));

    const bool onX = qEnvironmentVariableIsSet("DISPLAY");

    // Every run writes its export and scratch files here, the children's too.
    QTemporaryDir dir;
    if (!dir.isValid() || chdir(dir.path().toLocal8Bit().constData()) != 0)
        return 1;

    // The start-up children first, before this process grows.
    std::vector<double> startups, peaks;
    for (int i = 0; i < 11; ++i) {
        const Startup s = startupOnce(argv[0]);
        if (s.ms < 0) {
            std::fprintf(stderr, "start-up child failed (is there a display?)\n");
            return 1;
        }
        startups.push_back(s.ms);
        peaks.push_back(s.peakMiB);
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const double chain = chainNs(2000000);
    const double viaFile = num2txtNs(400);
    const double inMemory = zahlTextNs(2000000);
    const ClickTimes click = clickAgainstFloor(101);

    std::printf("| measure | value | goal |\n|---|---|---|\n");
    std::printf("| formula chain (13 operations) | %.0f ns per call | |\n", chain);
    std::printf("| num2txt via scratch file and shell | %.0f us per call | |\n", viaFile / 1e3);
    std::printf("| same text formatted in memory | %.0f ns per call (%.0fx faster) | |\n", inMemory,
                viaFile / inMemory);
    std::printf("| click, offscreen dialog (median of 101) | %.2f ms | |\n", click.click / 1e6);
    std::printf("| floor: 14 bare scratch round trips (median) | %.2f ms | |\n", click.floor / 1e6);
    std::printf("| click / floor | %.3f | <= 1.1 |\n", click.click / click.floor);
    std::printf("| start-up to shown window (median of 11, %s) | %.1f ms | < 150 ms |\n",
                onX ? "X server" : "offscreen", median(startups));
    std::printf("| peak memory, start-up and one click (max of 11) | %.1f MiB | < 40 MiB |\n",
                *std::max_element(peaks.begin(), peaks.end()));
    return 0;
}

// vadire-bench-startup: how long the main dialog takes from process start to
// being shown (offscreen platform) with 64 discovered ports, and its peak
// resident memory, each against a bare Qt dialog with one button.
//
// The bare dialog is built the same way as ours: the same dialog font, the
// same window size and a Chinese caption ("确定"), so both pay for the CJK
// font and for filling a window of that size, and the ratio shows what the
// dialog itself adds (its controls, port discovery, the icon). A plain
// dialog with a Latin caption at Qt's default size is timed as well, for
// comparison.
//
// The parent makes a private runtime directory holding 64 port links
// (COM201-COM264 -> /dev/null), then starts itself as a child in "dialog" or
// "bare" mode, several times each, alternating. A child prints one line when
// its window is shown; the parent times the span from just before the spawn
// to that line and reads the child's peak RSS from wait4.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DialogUnits.h"
#include "Resource.h"
#include "TessorDeployToolDlg.h"

extern char** environ;

namespace {

constexpr int kPortLinks = 64;
constexpr int kFirstLinkNumber = 201;
constexpr int kRuns = 7;
constexpr double kTimeRatioTarget = 1.2;
constexpr double kRssTargetMb = 60.0;
// The main dialog's size in dialog units, given to the bare dialog as well.
constexpr int kMainDialogWidthDlu = 299;
constexpr int kMainDialogHeightDlu = 203;

enum class Mode { Dialog, Bare, BareLatin };

class ShownReporter : public QObject {
public:
    ShownReporter(QApplication& application, const int& nPorts)
        : m_application(application), m_nPorts(nPorts)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_bReported) {
            m_bReported = true;
            QTimer::singleShot(0, &m_application, [this] {
                std::printf("shown %d\n", m_nPorts);
                std::fflush(stdout);
                m_application.quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QApplication& m_application;
    const int& m_nPorts;
    bool m_bReported = false;
};

// Child: show the window, report once it is on screen, leave.
int RunChild(int argc, char** argv, Mode mode)
{
    QApplication application(argc, argv);
    int nPorts = 0;
    std::unique_ptr<QDialog> window;
    if (mode == Mode::Dialog) {
        auto dlg = std::make_unique<CTessorDeployToolDlg>();
        dlg->show();
        nPorts = qobject_cast<QComboBox*>(dlg->Control(IDC_COMBO_PORT))->count();
        window = std::move(dlg);
    } else {
        window = std::make_unique<QDialog>();
        QString caption = QStringLiteral("OK");
        if (mode == Mode::Bare) {
            const QFont font = CDialogUnits::DialogFont(9);
            window->setFont(font);
            window->setFixedSize(CDialogUnits(font).MapDialogSize(kMainDialogWidthDlu, kMainDialogHeightDlu));
            caption = QStringLiteral("确定");
        }
        auto* button = new QPushButton(caption, window.get());
        button->move(10, 10);
        window->show();
    }
    // Reported once the window has been painted for the first time: the paint
    // of the top window and its children happens in one pass, and the timer
    // fires behind it.
    ShownReporter reporter(application, nPorts);
    window->installEventFilter(&reporter);
    return application.exec();
}

struct SRun {
    double dMs;
    double dCpuMs;  // user + system: less disturbed by other load on the machine
    double dRssMb;
    int nPorts;
};

double CpuMs(const rusage& usage)
{
    const auto ms = [](const timeval& tv) { return tv.tv_sec * 1000.0 + tv.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

SRun RunOnce(const char* self, const char* mode)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        std::perror("pipe2");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    char* args[] = {const_cast<char*>(self), const_cast<char*>("--child"),
                    const_cast<char*>(mode), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    if (posix_spawn(&pid, self, &actions, nullptr, args, environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);

    std::string line;
    char buffer[128];
    for (ssize_t n; line.find('\n') == std::string::npos &&
                    (n = ::read(out[0], buffer, sizeof buffer)) > 0;) {
        line.append(buffer, static_cast<std::size_t>(n));
    }
    const auto shown = std::chrono::steady_clock::now();
    ::close(out[0]);

    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    int nPorts = -1;
    if (std::sscanf(line.c_str(), "shown %d", &nPorts) != 1 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "child '%s' failed: '%s'\n", mode, line.c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(shown - start).count(), CpuMs(usage),
            static_cast<double>(usage.ru_maxrss) / 1024.0, nPorts};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A private runtime directory with the port links; removed at the end.
class PortLinkFixture {
public:
    PortLinkFixture()
    {
        char pattern[] = "/tmp/vadire-bench-XXXXXX";
        m_root = ::mkdtemp(pattern);
        const std::filesystem::path links = m_root / "vadire" / "ports";
        std::filesystem::create_directories(links);
        std::filesystem::permissions(m_root / "vadire", std::filesystem::perms::owner_all);
        std::filesystem::permissions(links, std::filesystem::perms::owner_all);
        for (int i = 0; i < kPortLinks; ++i) {
            std::filesystem::create_symlink("/dev/null",
                                            links / ("COM" + std::to_string(kFirstLinkNumber + i)));
        }
        ::setenv("XDG_RUNTIME_DIR", m_root.c_str(), 1);
    }
    ~PortLinkFixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

private:
    std::filesystem::path m_root;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        const std::string mode = argv[2];
        return RunChild(argc, argv,
                        mode == "dialog" ? Mode::Dialog
                                         : (mode == "bare" ? Mode::Bare : Mode::BareLatin));
    }

    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    PortLinkFixture fixture;
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();

    // One warm-up of each, so both read the libraries from the page cache.
    RunOnce(self.c_str(), "bare");
    RunOnce(self.c_str(), "dialog");

    std::vector<double> bareMs, latinMs, dialogMs, bareCpu, latinCpu, dialogCpu, bareRss, dialogRss;
    int nPorts = 0;
    for (int i = 0; i < kRuns; ++i) {
        const SRun bare = RunOnce(self.c_str(), "bare");
        const SRun latin = RunOnce(self.c_str(), "bare-latin");
        const SRun dialog = RunOnce(self.c_str(), "dialog");
        bareMs.push_back(bare.dMs);
        bareCpu.push_back(bare.dCpuMs);
        latinCpu.push_back(latin.dCpuMs);
        dialogCpu.push_back(dialog.dCpuMs);
        bareRss.push_back(bare.dRssMb);
        latinMs.push_back(latin.dMs);
        dialogMs.push_back(dialog.dMs);
        dialogRss.push_back(dialog.dRssMb);
        nPorts = dialog.nPorts;
    }

    const double dRatio = Median(dialogMs) / Median(bareMs);
    const double dPeakRss = *std::max_element(dialogRss.begin(), dialogRss.end());
    std::printf("startup: %d runs each, offscreen platform, median times\n", kRuns);
    std::printf("  ports listed by the dialog  %d (%d links + this machine's ports)\n", nPorts,
                kPortLinks);
    std::printf("                              to shown    CPU (whole run)\n");
    std::printf("  plain dialog, Latin caption%7.1f ms  %7.1f ms\n", Median(latinMs),
                Median(latinCpu));
    std::printf("  bare dialog, one button    %7.1f ms  %7.1f ms   peak RSS %5.1f MB\n",
                Median(bareMs), Median(bareCpu), *std::max_element(bareRss.begin(), bareRss.end()));
    std::printf("  VADire main dialog          %7.1f ms  %7.1f ms   peak RSS %5.1f MB\n",
                Median(dialogMs), Median(dialogCpu), dPeakRss);
    std::printf("  CPU ratio                   %7.2f\n", Median(dialogCpu) / Median(bareCpu));
    std::printf("  time ratio                  %7.2f    (target <= %.1f)  %s\n", dRatio,
                kTimeRatioTarget, dRatio <= kTimeRatioTarget ? "ok" : "MISSED");
    std::printf("  peak RSS                    %7.1f MB (target <= %.0f MB) %s\n", dPeakRss,
                kRssTargetMb, dPeakRss <= kRssTargetMb ? "ok" : "MISSED");
    return 0;
}

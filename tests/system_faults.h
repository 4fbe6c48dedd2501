#pragma once
// What the saving tests ask of the operating system beyond Qt: a PDF page
// read back as pixels (poppler's pdftoppm), a folder even root cannot write
// into, a limit on a file's size, a FIFO, a GUI thread that stops answering
// ending the run. Linux has them all; a Windows program (under wine) has none,
// and the tests that need one skip, saying which and why.

#include <QImage>
#include <QString>
#include <optional>

#ifndef _WIN32
#include <linux/capability.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#ifdef _WIN32
inline constexpr const char* kNoSuchFault =
    "needs Linux: pdftoppm, capabilities, file size limits, FIFOs, /proc";
#else
inline constexpr const char* kNoSuchFault = nullptr;
#endif

#ifndef _WIN32
// Started with posix_spawnp rather than QProcess: under qemu-user (the arm64
// build's tests) QProcess cannot start a process at all, since the emulator
// refuses the clone flags it forks with.
inline QImage pdfPage(const QString& pdf) {
    const QByteArray file = pdf.toLocal8Bit(), page = (pdf + "-page").toLocal8Bit();
    const char* args[] = {
        "pdftoppm", "-r",        "96", "-png",           "-singlefile",    "-aa",
        "no",       "-aaVector", "no", file.constData(), page.constData(), nullptr};
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, const_cast<char**>(args), environ) == 0)
        waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "pdftoppm (poppler-utils, installed by tools/setup.sh) failed: status " << status;
    return QImage(pdf + "-page.png");
}

// Root writes into any folder; for the read-only folder, this thread gives up
// that power while the guard lives.
class WithoutRootsFileAccess {
public:
    WithoutRootsFileAccess() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header_, reduced);
    }
    ~WithoutRootsFileAccess() { syscall(SYS_capset, &header_, saved_); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

// Writes past `bytes` fail with "File too large", as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int);
};
inline constexpr rlim_t kNoSizeLimit = RLIM_INFINITY;

inline void makeFifo(const QString& name) { mkfifo(QFile::encodeName(name).constData(), 0600); }
inline bool runAsRoot() { return geteuid() == 0; }
// A GUI thread that stops answering ends the run (SIGALRM) after `seconds`; 0 disarms.
inline void endRunAfter(unsigned seconds) { alarm(seconds); }
#else
inline QImage pdfPage(const QString&) { return {}; }
struct WithoutRootsFileAccess {};
struct FileSizeLimit {
    explicit FileSizeLimit(unsigned long long) {}
};
inline constexpr unsigned long long kNoSizeLimit = 0;
inline void makeFifo(const QString&) {}
inline bool runAsRoot() { return false; }
inline void endRunAfter(unsigned) {}
#endif

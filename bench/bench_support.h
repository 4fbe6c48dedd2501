#pragma once
// What the window benchmarks share: the offscreen application with errors
// printed, a clock, and the process's memory as the kernel counts it.

#include <QtGlobal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "bench/bench_clock.h"
#include "platform/toolkit/Application.h"

namespace bench {

// The application object on the offscreen platform; errors go to stderr.
inline std::unique_ptr<TApplication> offscreenApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<TApplication>();
    Application->Initialize();
    Application->OnException = [](const std::string& message) {
        std::fprintf(stderr, "error: %s\n", message.c_str());
    };
    return application;
}

// Resident memory now, in bytes.
inline long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

// The most memory held resident (VmHWM) since the process started or the
// peak was last reset, in bytes.
inline long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long kilobytes = 0;
    while (status >> key)
        if (key == "VmHWM:") {
            status >> kilobytes;
            break;
        }
    return kilobytes * 1024;
}

// Lets the peak start again from the memory in use now.
inline void resetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace bench

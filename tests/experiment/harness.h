// Drives run through the real control window, built but never shown.
#pragma once

#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Select_Browser.H>
#include <FL/Fl_Value_Input.H>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "SortGraph.h"
#include "controlWindow.h"
#include "experiment.h"
#include "globals.h"

enum class Order { Random, Ordered, Reverse };

struct Inputs {
    double lower = 1000, upper = 10000, points = 10, iterations = 4;
    Order order = Order::Random;
};

// A browser measures each line it is given in its font, and FLTK opens its display connection for
// that even while no window is shown. So the tests bring their own X server, like the end-to-end
// tests, and never touch a user's desktop.
class PrivateDisplay {
public:
    PrivateDisplay() {
        int ready[2];
        if (pipe(ready) != 0) std::abort();
        const std::string fd = std::to_string(ready[1]);
        pid_ = fork();
        if (pid_ == 0) {
            // The server must not outlive a test that dies, nor hold its output open.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
            close(ready[0]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        std::string display = ":";
        char c;
        while (pid_ > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
            display += c;
        close(ready[0]);
        if (display == ":") {
            std::fprintf(stderr, "Xvfb did not start\n");
            std::abort();
        }
        setenv("DISPLAY", display.c_str(), 1);
    }
    ~PrivateDisplay() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_ = 0;
};

inline void buildControlWindowOnce() {
    static const PrivateDisplay display;
    static const bool built = [] {
        fillShellGaps();
        buildControlWindow(run, nullptr);
        return true;
    }();
    (void)built;
}

inline void setInputs(const Inputs& in) {
    buildControlWindowOnce();
    kestrova::keyMin->value(in.lower);
    kestrova::keyMax->value(in.upper);
    kestrova::numDataPts->value(in.points);
    kestrova::numLoopInput->value(in.iterations);
    Fl_Round_Button* on = in.order == Order::Random    ? kestrova::random
                          : in.order == Order::Ordered ? kestrova::ordered
                                                       : kestrova::rOrdered;
    on->setonly();
}

// Presses "Run Sorts" and returns what the run printed.
inline std::string runCaptured() {
    testing::internal::CaptureStdout();
    run(nullptr);
    return testing::internal::GetCapturedStdout();
}

// Records live until the process ends in the program; a test releases its own.
inline void discardRecords() {
    for (SortGraph* sg : kestrova::sortGraphs)
        delete sg;
    kestrova::sortGraphs.clear();
    kestrova::graphBrowser->clear();
}

// The bounds the recording rule leaves after the record's times, taken size by size in sort
// index order, the order in which a run records them.
inline void expectBoundsReplay(const SortGraph& sg) {
    SortGraph replay(nullptr);
    for (std::size_t k = 0; k < sg.keySizes.size(); ++k) {
        replay.addisTime(sg.isTimes[k]);
        replay.addbisTime(sg.bisTimes[k]);
        replay.addssTime(sg.ssTimes[k]);
        replay.addmsTime(sg.msTimes[k]);
        replay.addqsTime(sg.qsTimes[k]);
    }
    EXPECT_EQ(sg.maxTime, replay.maxTime);
    EXPECT_EQ(sg.minTime, replay.minTime);
    EXPECT_EQ(sg.minNonZeroTime, replay.minNonZeroTime);
}

inline void expectEqualLengths(const SortGraph& sg, std::size_t sizes) {
    EXPECT_EQ(sg.keySizes.size(), sizes);
    for (const auto* times : {&sg.isTimes, &sg.bisTimes, &sg.ssTimes, &sg.msTimes, &sg.qsTimes}) {
        EXPECT_EQ(times->size(), sizes);
    }
}

// The console of a run over these sizes, with T for every time.
inline std::string expectedConsole(const std::vector<int>& sizes) {
    std::string console;
    for (int size : sizes) {
        console += "\nSorting " + std::to_string(size) + " files:\n";
        for (int index = 0; index < 5; ++index) {
            console += "  Done with sort " + std::to_string(index) + " after T seconds. \n";
        }
    }
    return console;
}

// Replaces each time of a "Done with sort" line that has the %f form (digits, a point, six
// digits) by T; timing is not deterministic, its format is.
inline std::string maskTimes(const std::string& console) {
    static const std::string after = " after ";
    std::string masked;
    std::size_t from = 0;
    for (std::size_t at; (at = console.find("  Done with sort ", from)) != std::string::npos;) {
        const std::size_t time = console.find(after, at);
        if (time == std::string::npos) break;
        const std::size_t begin = time + after.size();
        std::size_t end = begin;
        while (end < console.size() && std::isdigit(static_cast<unsigned char>(console[end])))
            ++end;
        const std::size_t point = end;
        if (end == begin || point >= console.size() || console[point] != '.') break;
        end = point + 1;
        while (end < console.size() && std::isdigit(static_cast<unsigned char>(console[end])))
            ++end;
        if (end - point != 7) break;
        masked += console.substr(from, begin - from) + "T";
        from = end;
    }
    return masked + console.substr(from);
}

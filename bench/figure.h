#pragma once
// The one output format of every benchmark program: one tab-separated line
// per figure, which tools/run-bench.sh collects into docs/performance.md.
//
//   FIGURE section name median min max unit floor-name floor-median target note
//
// median/min/max are over the repeated runs of the figure. floor-name and
// floor-median are "-" when the figure has no floor. target is "-" or a
// comma-separated list of conditions: "<300" / ">=5000" on the median,
// "ratio<2" on median / floor-median. Everything else a program prints is
// commentary for the log.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

struct Spread
{
    double median = 0;
    double min = 0;
    double max = 0;
};

inline Spread spread(std::vector<double> v)
{
    Spread s;
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    s.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    s.min = v.front();
    s.max = v.back();
    return s;
}

// A number as the report shows it: four significant digits, whole numbers
// from 10 000 on (no exponent).
inline std::string number(double v)
{
    char text[48];
    std::snprintf(text, sizeof text, v >= 1e4 || v <= -1e4 ? "%.0f" : "%.4g", v);
    return text;
}

// One figure; floorName empty (or floor samples empty) for none.
inline void figure(const std::string &section, const std::string &name, const std::vector<double> &samples,
                   const std::string &unit, const std::string &floorName, const std::vector<double> &floor,
                   const std::string &target, const std::string &note = {})
{
    const Spread s = spread(samples);
    const bool hasFloor = !floorName.empty() && !floor.empty();
    const std::string floorMedian = hasFloor ? number(spread(floor).median) : std::string("-");
    std::printf("FIGURE\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", section.c_str(), name.c_str(),
                number(s.median).c_str(), number(s.min).c_str(), number(s.max).c_str(), unit.c_str(),
                hasFloor ? floorName.c_str() : "-", floorMedian.c_str(), target.empty() ? "-" : target.c_str(),
                note.empty() ? "-" : note.c_str());
    std::fflush(stdout);
}

// A figure that could not be measured (a missing server, say): the report
// says "not run" with the reason instead of a number.
inline void notRun(const std::string &section, const std::string &name, const std::string &target,
                   const std::string &reason)
{
    std::printf("NOTRUN\t%s\t%s\t%s\t%s\n", section.c_str(), name.c_str(), target.empty() ? "-" : target.c_str(),
                reason.c_str());
    std::fflush(stdout);
}

// Milliseconds of wall-clock time of each of `runs` calls of f, after one
// call that is not counted (it warms caches and lazy initialisation).
template<typename F>
std::vector<double> timeRuns(int runs, F &&f)
{
    using clock = std::chrono::steady_clock;
    f();
    std::vector<double> ms;
    ms.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto t0 = clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(clock::now() - t0).count());
    }
    return ms;
}

// True when the program was started with --smoke: tiny sizes and one or two
// runs, so that the test suite checks that the program still works.
inline bool smokeRun(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--smoke") == 0)
            return true;
    return false;
}

// The figure's name with a row count: "decode+load 10000 rows".
inline std::string rowsName(const std::string &what, int rows)
{
    return what + " " + std::to_string(rows) + " rows";
}

} // namespace bench

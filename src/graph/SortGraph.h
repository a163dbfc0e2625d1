// The results record of one run: the sampled file sizes, one time per routine and size, the
// time-axis bounds kept by the recording rule, and the plot of it all.
#pragma once

#include <cstdint>
#include <vector>

class TextGenerator;

class SortGraph {
public:
    // Size of a title buffer, terminator included.
    static constexpr int titleSize = 200;

    // Takes ownership of `title`, a titleSize-character buffer allocated with new[].
    explicit SortGraph(char* title);
    ~SortGraph();
    SortGraph(const SortGraph&) = delete;
    SortGraph& operator=(const SortGraph&) = delete;

    // Each appends its time (seconds per sort) and applies the recording rule.
    void addisTime(double time);
    void addbisTime(double time);
    void addssTime(double time);
    void addmsTime(double time);
    void addqsTime(double time);
    void addKeySize(unsigned int keySize);
    void toggleLog();

    // Plot into the current GL context: window pixels, origin bottom-left, y up.
    void draw(int w, int h, TextGenerator* text);
    // Value on the time axis at pixel height y (seconds, or log10 seconds on the log scale),
    // or -1000.0 outside the plot area.
    double getTime(double y, double h);
    // File size at pixel column x, or -1 outside the plot area (or when there is no size).
    int getKey(double x, double w);

    // Indexed by sort index: 0 insertion, 1 binary insertion, 2 Shell, 3 merge, 4 quick.
    std::vector<double> isTimes;
    std::vector<double> bisTimes;
    std::vector<double> ssTimes;
    std::vector<double> msTimes;
    std::vector<double> qsTimes;
    std::vector<std::uint32_t> keySizes;
    double maxTime = 0.0;
    double minTime = 3000.0;
    double minNonZeroTime = 3000.0;
    bool logScale = true;
    char* title;

private:
    void record(std::vector<double>& times, double time);
};

// Summaries of repeated measurements.  Portable, so they are tested natively.
#ifndef ORVANE_BENCH_RUN_STATS_H
#define ORVANE_BENCH_RUN_STATS_H

#include <vector>

// The middle value, or the mean of the two middle values of an even count;
// 0 for no values.
double Median(std::vector<double> values);

// The median of the per-round ratios numerators[i] / denominators[i], over
// the rounds both sides have; rounds with a zero denominator are left out.
// A ratio per round cancels drift of the machine over the run (the two
// sides ran next to each other); 0 when no round counts.
double MedianRatio(const std::vector<double>& numerators, const std::vector<double>& denominators);

#endif

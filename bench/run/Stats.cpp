#include "Stats.h"

#include <algorithm>

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

double MedianRatio(const std::vector<double>& numerators, const std::vector<double>& denominators) {
    std::vector<double> ratios;
    for (size_t i = 0; i < numerators.size() && i < denominators.size(); ++i) {
        if (denominators[i] != 0) ratios.push_back(numerators[i] / denominators[i]);
    }
    return Median(ratios);
}

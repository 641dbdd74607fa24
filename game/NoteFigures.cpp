#include "game/NoteFigures.h"

#include <QCoreApplication>
#include <algorithm>

int64_t MedianOf(std::vector<int64_t>& values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 != 0)
        return *middle;
    const int64_t below = *std::max_element(values.begin(), middle);
    // Halved separately so that two huge times cannot overflow their sum.
    return below / 2 + *middle / 2 + (below % 2 + *middle % 2) / 2;
}

std::string FormatSeconds(int64_t ms)
{
    const int64_t tenths = (std::max<int64_t>(ms, 0) + 50) / 100;
    // The decimal sign and the unit as the language shown writes them ("2,6 s", "2,6 с").
    return QCoreApplication::translate("NoteFigures", "%1.%2 s").arg(tenths / 10).arg(tenths % 10).toStdString();
}

std::string FormatShare(int part, int whole)
{
    if (whole <= 0)
        return "0 %";
    const int64_t percent = (int64_t{200} * part + whole) / (int64_t{2} * whole);
    return std::to_string(percent) + " %";
}

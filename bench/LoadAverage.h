#pragma once

// The machine's load average, printed beside every timed ratio: a figure
// taken while other work ran says so.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tf::bench {

// "1.05 0.98 0.77" (1, 5 and 15 minutes), or "unknown".
inline std::string LoadAverage()
{
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) != 3)
        return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", load[0], load[1], load[2]);
    return text;
}

} // namespace tf::bench

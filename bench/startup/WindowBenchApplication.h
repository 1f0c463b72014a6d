#pragma once

// The Qt of the window benchmarks: widgets, with the font the window uses.

#include "bench/RatioReporter.h"
#include "window/DisplayControls.h"

#include <QApplication>

namespace tf::bench {

class WindowBenchApplication : OffscreenApplication<QApplication> {
public:
    WindowBenchApplication(int& argc, char** argv)
        : OffscreenApplication<QApplication>(argc, argv)
    {
        QApplication::setFont(DesignFont());
    }
};

} // namespace tf::bench

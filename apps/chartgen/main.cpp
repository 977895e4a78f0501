// chartgen: draws test and sample charts that agree with the installation calibration.
#include "chartgen/ChartgenTool.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    // Raster drawing on images only: no windowing system is needed.
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    QStringList args = app.arguments();
    args.removeFirst();
    return chartgen::runChartgen(args, out, err);
}

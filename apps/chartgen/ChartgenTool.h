#pragma once
// The chartgen command line, kept in the library so that tests drive it without a process.
//
//   chartgen --help | --version
//   chartgen --out DIR [--samples] [--ini FILE]
//       writes the named sample charts (1-bit BMP + ground-truth JSON each) and grey
//       renderings of some of them (an A4 sheet at 200 dpi, one disc at 600 dpi) into DIR.
//   chartgen --spec FILE.json --out IMAGE [--ini FILE] [--grey DPI]
//       draws one described chart: IMAGE as a 1-bit image (BMP unless its suffix names
//       another format), or with --grey as an 8-bit grey image at DPI, and the ground truth
//       beside it (IMAGE with the suffix .json).
//
// The calibration is ust_tacho.ini beside the executable unless --ini names another file.

#include <QStringList>
#include <QTextStream>

namespace chartgen {

// Returns the exit status: 0 done (or --help, --version), 1 bad input or a file that could not
// be read or written, 2 a command line that cannot be understood.
int runChartgen(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace chartgen

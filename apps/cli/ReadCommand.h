#pragma once
// "tacho read": scanned charts to periods, distance, summary and rule check.
//   tacho read [--ini FILE] [--kat24 DEG] [--kind 0..4] [--detailed] [--date YYYY-MM-DD]
//              [--crew] [--format text|json] IMAGE...
//
//   --ini FILE      calibration file (default: ust_tacho.ini beside the program)
//   --kat24 DEG     angle of 00:00 on the scans, 0..360 (default 180, as for a disc cut from a
//                   sheet); the reading starts there
//   --kind N        chart kind: 0 standard, 1 thin, 2 stepped, 3 pseudo-stepped, 4 125 km/h
//   --detailed      detailed reading: the distance points belong to the whole chart
//   --date D        chart date for the rule check (default: today)
//   --crew          the chart was driven by a crew
//   --format F      text (default): a table per disc; json: one object per disc per line
//
// Every disc found in a file gives one result, in input order; on a sheet with several discs
// each result also carries "disc": 1, 2, ... in reading order. A file that cannot be read
// gives {"file": ..., "ok": false, "error": ...} (text: "FILE: error: ...") and the others
// are still read. Files are read on all cores; with more than three, progress goes to the
// standard error. Exit status 0, 1 when any file failed, 2 for a command line that cannot be
// understood.

#include <QStringList>
#include <QTextStream>

int runReadCommand(const QStringList& args, QTextStream& out, QTextStream& err);

#pragma once
// "tacho check": the driving-time rule check of one day.
//   tacho check FILE [--lang pl|en]   FILE is a day as JSON ("-" reads standard input)
// Prints one JSON object: the date, the crew, the periods with their break marks, the day
// summary and the check ({"result", "ile_jazda_ciagla", "ile_przerwa_krotka", "findings"}).
// Exit status 0 when the check ran (whatever it found), 2 for a command line or a day file that
// cannot be used, with a message naming the field and nothing on standard output.

#include <QStringList>
#include <QTextStream>

int runCheckCommand(const QStringList& args, QTextStream& out, QTextStream& err);

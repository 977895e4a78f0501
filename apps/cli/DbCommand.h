#pragma once
// "tacho db": the database of a data folder.
//   tacho db init [--data DIR] [--demo]   creates DIR and DIR/tacho.sqlite with its tables;
//                                         --demo fills an empty database with the demo fleet
//   tacho db info [--data DIR]            what the database holds
// A file that is not a tacho database (other tables, no schema version) or whose schema
// version is not this program's is refused and left as it was; info also refuses an empty file.
// Exit status 0, 1 when the database cannot be opened, is refused or cannot be created, or a
// statement is refused, 2 for a command line that cannot be understood.

#include <QStringList>
#include <QTextStream>

int runDbCommand(const QStringList& args, QTextStream& out, QTextStream& err);

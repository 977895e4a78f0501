#pragma once
// "tacho db": the database of a data folder.
//   tacho db init [--data DIR] [--demo]   creates DIR and DIR/tacho.sqlite with its tables;
//                                         --demo fills an empty database with the demo fleet
//   tacho db info [--data DIR]            what the database holds
// Exit status 0, 1 when the database cannot be opened or created or a statement is refused,
// 2 for a command line that cannot be understood.

#include <QStringList>
#include <QTextStream>

int runDbCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// The data folder when --data is not given: "tacho" in the user's data folder.
QString defaultDataFolder();

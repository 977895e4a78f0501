#pragma once
// "Import scans…": every chosen file through the scan import, each disc of a file kept for a
// chart window. A file the import refuses is collected with its reason and the others go on.

#include "skan/WczytajSkan.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

struct TarczaImportu {
    QString plik; // the scan it came from
    int nr = 0;   // 0-based, in the import's reading order
    int ile = 1;  // discs in that file
    host::TarczaZeSkanu tarcza;
};

struct WynikImportu {
    std::vector<TarczaImportu> tarcze;
    QStringList bledy; // one line per refused file: "file: reason"
    bool przerwano = false;
};

// Reads the files in order. With several files a progress dialog over parent shows the file
// being read and lets the user stop (the files read so far are kept).
WynikImportu importujSkany(const QStringList& pliki, QWidget* parent,
                           const host::OpcjeImportu& opcje = {});

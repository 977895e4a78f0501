#pragma once
// What the host application sets up before its window: the data folder, the settings store
// in it, the language, and the database (the data folder's SQLite file, created with the
// schema and the demo fleet on first start, or the shared PostgreSQL server).

#include "OpcjeHosta.h"

#include <QString>

#include <stdexcept>

class BladDanych : public std::runtime_error {
public:
    explicit BladDanych(const QString& opis) : std::runtime_error(opis.toStdString()) {}
    QString opis() const { return QString::fromStdString(what()); }
};

struct StanDanych {
    QString plikBazy;      // SQLite file, empty on a server
    QString opisBazy;      // "SQLite database …" / "PostgreSQL database … on …"
    bool bazaNowa = false; // created now, with the demo data
};

// Installs settings, data folder, language and connection for the whole process. Throws
// BladDanych with a message for the user: a folder that cannot be created, a database that
// cannot be opened or is refused (not ours, another schema version).
StanDanych przygotujDane(const OpcjeHosta& opcje);

// Pictures of the demo charts in the image folder; the chart rows come with the demo data.
// Writes only the pictures that are missing; returns how many it wrote.
int zapiszObrazyDemo();

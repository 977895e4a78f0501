#pragma once
// The host application's texts come from the same translation tables as the module's, under
// keys "Resstrings_IDS_Host_...".

#include "host/Resstrings.h"

#include <QString>

inline QString tekst(const char* klucz) {
    return host::LoadResstrings(QStringLiteral("Resstrings_IDS_Host_") + QLatin1String(klucz));
}

#pragma once
// Fresh host services for a test that drives windows: in-memory settings, default user rights,
// an in-memory SQLite database with the schema, scripted dialogs and the runtime tree as the
// executable's folder. usunSrodowiskoHosta puts the defaults back.

#include "host/Dialogi.h"

#include <memory>

std::shared_ptr<host::ScriptedDialogs> zainstalujSrodowiskoHosta();
void usunSrodowiskoHosta();

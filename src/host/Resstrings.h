#pragma once
// Translation tables: user-visible texts by resource-string key ("Resstrings_IDS_..."), one
// data file per language (data/lang/pl.tsv, data/lang/en.tsv installed into the runtime
// tree). Polish is language 1, English 2.

#include <QString>

namespace host {

constexpr int kJezykPolski = 1;
constexpr int kJezykAngielski = 2;

// Text of the key in the current language. A missing key answers "[key]" and is logged once;
// never an empty string.
QString LoadResstrings(const QString& key);

// The current language (1 Polish, 2 English); from the "ALL" setting "jezyk", default 1.
int GetLanguageId();
void SetLanguageId(int id);

// Folder holding the language files; defaults to <executable folder>/lang.
void SetTranslationsFolder(const QString& folder);

} // namespace host

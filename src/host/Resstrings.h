#pragma once
// Translation tables: user-visible texts by resource-string key ("Resstrings_IDS_..."), one
// data file per language (data/lang/pl.tsv, data/lang/en.tsv installed into the runtime
// tree). Polish is language 1, English 2.
//
// File format: UTF-8, one "key<TAB>text" per line; empty lines and lines starting with "#"
// are ignored; in texts "\n" stands for a line break, "\t" for a tab and "\\" for a backslash.

#include <QLocale>
#include <QString>

namespace host {

constexpr int kJezykPolski = 1;
constexpr int kJezykAngielski = 2;

// Text of the key in the current language. A key the current language lacks falls back to
// the Polish text; a key no table holds answers "[key]". Both are logged once per key; the
// answer is never an empty string.
QString LoadResstrings(const QString& key);

// A form caption in the current language, by the key "<form>.<control>" ("TMDIChild.zap1"),
// without fallback: empty when the current language's table lacks it (the form keeps the
// caption it was built with).
QString TekstFormy(const QString& key);

// The current language (1 Polish, 2 English); from the "ALL" setting "jezyk", default 1.
// Any other id reads the Polish tables. SetLanguageId stores the setting.
int GetLanguageId();
void SetLanguageId(int id);
// The language's short code, "pl" or "en".
QString GetKeyLang();
// Numbers and dates as the current language writes them (Polish: a decimal comma).
QLocale JezykLocale();

// Folder holding the language files; defaults to <executable folder>/lang. Setting it (an
// empty folder restores the default) drops the tables read so far.
void SetTranslationsFolder(const QString& folder);

// The file name of a language's table ("pl.tsv", "en.tsv").
QString TranslationFileName(int id);

} // namespace host

#include "host/Resstrings.h"

#include "host/Biblioteki.h"
#include "host/Ustawienia.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QtDebug>

#include <map>

namespace host {

namespace {

using Table = QHash<QString, QString>;

// Readers on worker threads (the rule check of a batch) look texts up too.
struct Translations {
    QMutex mutex;
    QString folder; // empty: <executable folder>/lang
    std::map<int, Table> tables;
    QSet<QString> warned;
};

Translations& state() {
    static Translations t;
    return t;
}

QString unescape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar n = text[i + 1];
            if (n == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (n == QLatin1Char('t')) {
                out += QLatin1Char('\t');
                ++i;
                continue;
            }
            if (n == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

Table readTable(const QString& path) {
    Table table;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning("Resstrings: cannot read %s", qPrintable(path));
        return table;
    }
    const QString all = QString::fromUtf8(f.readAll());
    int lineNo = 0;
    for (const QString& raw : all.split(QLatin1Char('\n'))) {
        ++lineNo;
        QString line = raw;
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0) {
            qWarning("Resstrings: %s:%d has no key<TAB>text", qPrintable(path), lineNo);
            continue;
        }
        table.insert(line.left(tab).trimmed(), unescape(line.mid(tab + 1)));
    }
    return table;
}

const Table& table(int id) {
    Translations& t = state();
    auto it = t.tables.find(id);
    if (it != t.tables.end()) return it->second;
    const QString folder =
        t.folder.isEmpty() ? QDir(ExeFolder()).filePath(QStringLiteral("lang")) : t.folder;
    return t.tables.emplace(id, readTable(QDir(folder).filePath(TranslationFileName(id))))
        .first->second;
}

void warnOnce(const QString& key, const char* what) {
    if (state().warned.contains(key)) return;
    // A deep copy: the key may be a literal of a module that is unloaded later.
    state().warned.insert(QString(key.constData(), key.size()));
    qWarning("Resstrings: %s %s", qPrintable(key), what);
}

} // namespace

QString TranslationFileName(int id) {
    return id == kJezykAngielski ? QStringLiteral("en.tsv") : QStringLiteral("pl.tsv");
}

QString LoadResstrings(const QString& key) {
    const int id = GetLanguageId() == kJezykAngielski ? kJezykAngielski : kJezykPolski;
    QMutexLocker lock(&state().mutex);
    const Table& current = table(id);
    auto it = current.constFind(key);
    if (it != current.constEnd() && !it->isEmpty()) return *it;
    if (id != kJezykPolski) {
        const Table& pl = table(kJezykPolski);
        auto p = pl.constFind(key);
        if (p != pl.constEnd() && !p->isEmpty()) {
            warnOnce(key, "has no translation; the Polish text stands in");
            return *p;
        }
    }
    warnOnce(key, "is not in the translation tables");
    return QLatin1Char('[') + key + QLatin1Char(']');
}

QString TekstFormy(const QString& key) {
    const int id = GetLanguageId() == kJezykAngielski ? kJezykAngielski : kJezykPolski;
    QMutexLocker lock(&state().mutex);
    return table(id).value(key);
}

int GetLanguageId() {
    bool ok = false;
    const int id = GetZm(QStringLiteral("jezyk"), QStringLiteral("ALL")).toInt(&ok);
    return ok && id > 0 ? id : kJezykPolski;
}

void SetLanguageId(int id) {
    SetZm(QStringLiteral("jezyk"), QStringLiteral("ALL"), id);
}

QString GetKeyLang() {
    return GetLanguageId() == kJezykAngielski ? QStringLiteral("en") : QStringLiteral("pl");
}

QLocale JezykLocale() {
    return GetLanguageId() == kJezykAngielski ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                              : QLocale(QLocale::Polish, QLocale::Poland);
}

void SetTranslationsFolder(const QString& folder) {
    Translations& t = state();
    QMutexLocker lock(&t.mutex);
    t.folder = folder;
    t.tables.clear();
    t.warned.clear();
}

} // namespace host

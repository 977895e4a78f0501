#include "host/db/SqlText.h"

#include "host/db/Connection.h"

namespace host::db {

namespace {

bool nameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Walks the text outside literals, quoted names and comments; calls at(i) for each such
// character, which returns how many characters it consumed (0: just this one).
template <typename F> void walk(const QString& s, F at) {
    const qsizetype n = s.size();
    qsizetype i = 0;
    const QStringView v(s);
    auto skipTo = [&](QStringView end, qsizetype from, const char* what) {
        const qsizetype e = s.indexOf(end, from);
        if (e < 0) throw DbError(QStringLiteral("Unterminated %1").arg(QLatin1String(what)), s);
        return e + end.size();
    };
    while (i < n) {
        const QChar c = s[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote inside is part of the text: the scan just continues after it.
            i = skipTo(v.mid(i, 1), i + 1,
                       c == QLatin1Char('\'') ? "string literal" : "quoted name");
        } else if (v.mid(i, 2) == u"--") {
            const qsizetype e = s.indexOf(QLatin1Char('\n'), i);
            i = e < 0 ? n : e;
        } else if (v.mid(i, 2) == u"/*") {
            i = skipTo(u"*/", i + 2, "comment");
        } else {
            i += std::max<qsizetype>(1, at(i));
        }
    }
}

} // namespace

std::vector<ValueMark> valueMarks(const QString& sql) {
    std::vector<ValueMark> marks;
    walk(sql, [&](qsizetype i) -> qsizetype {
        const QChar c = sql[i];
        if (c == QLatin1Char('?')) {
            marks.push_back({i, 1, {}});
            return 1;
        }
        if (c != QLatin1Char(':')) return 1;
        if (i + 1 < sql.size() && sql[i + 1] == QLatin1Char(':')) return 2; // cast
        qsizetype e = i + 1;
        while (e < sql.size() && nameChar(sql[e]))
            ++e;
        if (e == i + 1) return 1;
        marks.push_back({i, e - i, sql.mid(i + 1, e - i - 1).toLower()});
        return e - i;
    });
    return marks;
}

std::vector<QString> splitStatements(const QString& script) {
    std::vector<QString> statements;
    qsizetype start = 0;
    auto take = [&](qsizetype end) {
        const QString s = script.mid(start, end - start).trimmed();
        // a piece of nothing but comments is no statement
        bool code = false;
        walk(s, [&](qsizetype i) -> qsizetype {
            code = code || !s[i].isSpace();
            return 1;
        });
        if (code) statements.push_back(s);
    };
    walk(script, [&](qsizetype i) -> qsizetype {
        if (script[i] == QLatin1Char(';')) {
            take(i);
            start = i + 1;
        }
        return 1;
    });
    take(script.size());
    return statements;
}

QString quoted(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

} // namespace host::db

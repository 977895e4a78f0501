#include "host/db/SqlDialect.h"

#include "host/db/SqlBatch.h"
#include "host/db/SqlLexer.h"

#include <QRegularExpression>

namespace host {

using namespace host::sql;

namespace {

const char* const kSqliteDateFormat = "'%Y-%m-%d %H:%M:%f'";

Token raw(const QString& text) {
    return {Tok::Raw, text};
}

bool plainIdentifier(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(s).hasMatch();
}

bool isName(const Token& t) {
    return t.kind == Tok::Word || t.kind == Tok::QName;
}

bool isDbo(const Token& t) {
    return t.isWord("dbo") ||
           (t.kind == Tok::QName &&
            t.unquoted().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0);
}

// select [distinct|all] top N ... -> select [distinct|all] ... limit N
void topToLimit(Tokens& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("top")) continue;
        size_t prev = prevSolid(t, i);
        if (prev != npos && (t[prev].isWord("distinct") || t[prev].isWord("all")))
            prev = prevSolid(t, prev);
        if (prev == npos || !t[prev].isWord("select")) continue;
        size_t n = nextSolid(t, i + 1);
        size_t last = n;
        QString count;
        if (n != npos && t[n].kind == Tok::Number) {
            count = t[n].text;
        } else if (n != npos && t[n].isSymbol('(')) {
            const size_t inner = nextSolid(t, n + 1);
            last = matchingParen(t, n);
            if (inner == npos || last == npos || t[inner].kind != Tok::Number ||
                nextSolid(t, inner + 1) != last)
                throw DbError(QStringLiteral("Unsupported top clause"), join(t));
            count = t[inner].text;
        } else {
            continue;
        }
        const size_t afterCount = nextSolid(t, last + 1);
        if (afterCount != npos && t[afterCount].isWord("percent"))
            throw DbError(QStringLiteral("top ... percent is not supported"), join(t));
        // The select ends where its parenthesis closes, or at the end of the text.
        int depth = 0;
        size_t end = last + 1;
        for (; end < t.size(); ++end) {
            if (t[end].isSymbol('('))
                ++depth;
            else if (t[end].isSymbol(')') && --depth < 0)
                break;
        }
        size_t insertAt = end;
        while (insertAt > last + 1 && (t[insertAt - 1].blank() || t[insertAt - 1].isSymbol(';')))
            --insertAt;
        t.insert(t.begin() + insertAt, raw(QStringLiteral(" limit ") + count));
        // Remove "top N" and the blanks after it.
        size_t eraseTo = last + 1;
        while (eraseTo < t.size() && t[eraseTo].kind == Tok::Space)
            ++eraseTo;
        t.erase(t.begin() + i, t.begin() + eraseTo);
    }
}

// insert [into] t values (...) -> insert into t (columns) values (...) for identity tables.
void positionalInsert(Tokens& t, const SqlDialect::InsertColumns& insertColumns) {
    if (!insertColumns) return;
    for (size_t i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("insert")) continue;
        size_t k = nextSolid(t, i + 1);
        if (k != npos && t[k].isWord("into")) k = nextSolid(t, k + 1);
        if (k == npos || !isName(t[k])) continue;
        size_t nameAt = k;
        const size_t dot = nextSolid(t, k + 1);
        if (isDbo(t[k]) && dot != npos && t[dot].isSymbol('.')) nameAt = nextSolid(t, dot + 1);
        if (nameAt == npos || !isName(t[nameAt])) continue;
        const size_t v = nextSolid(t, nameAt + 1);
        if (v == npos || !t[v].isWord("values")) continue;
        const QStringList cols = insertColumns(t[nameAt].unquoted().toLower());
        if (cols.isEmpty()) continue;
        t.insert(t.begin() + nameAt + 1,
                 raw(QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QLatin1Char(')')));
    }
}

// delete t where ... -> delete from t where ...
void deleteFrom(Tokens& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("delete")) continue;
        const size_t k = nextSolid(t, i + 1);
        if (k == npos || !isName(t[k]) || t[k].isWord("from") || t[k].isWord("top")) continue;
        // Only "delete table [where ...]": the joined "delete alias from ..." is left alone.
        size_t after = nextSolid(t, k + 1);
        if (after != npos && t[after].isSymbol('.')) {
            const size_t name = nextSolid(t, after + 1);
            after = name == npos ? npos : nextSolid(t, name + 1);
        }
        if (after != npos && !t[after].isWord("where") && !t[after].isSymbol(';')) continue;
        t.insert(t.begin() + k, raw(QStringLiteral("from ")));
    }
}

// Names, literals, isnull, getdate, string concatenation.
void simpleRewrites(Tokens& t, Backend backend) {
    for (size_t i = 0; i < t.size(); ++i) {
        Token& tok = t[i];
        if (isDbo(tok)) {
            const size_t dot = i + 1 < t.size() && t[i + 1].isSymbol('.') ? i + 1 : npos;
            if (dot != npos && dot + 1 < t.size() && isName(t[dot + 1])) {
                t.erase(t.begin() + i, t.begin() + dot + 1);
                --i;
                continue;
            }
        }
        if (tok.kind == Tok::String && !tok.text.startsWith(QLatin1Char('\''))) {
            tok.text = tok.text.mid(1); // N'...'
        } else if (tok.kind == Tok::QName && tok.text.startsWith(QLatin1Char('['))) {
            QString name = tok.unquoted();
            if (backend == Backend::PostgreSQL && plainIdentifier(name)) name = name.toLower();
            name.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            tok.text = QLatin1Char('"') + name + QLatin1Char('"');
        } else if (tok.isWord("isnull")) {
            const size_t p = nextSolid(t, i + 1);
            if (p != npos && t[p].isSymbol('(')) tok.text = QStringLiteral("coalesce");
        } else if (tok.isWord("getdate")) {
            const size_t p = nextSolid(t, i + 1);
            const size_t q = p == npos ? npos : nextSolid(t, p + 1);
            if (p != npos && q != npos && t[p].isSymbol('(') && t[q].isSymbol(')')) {
                tok = raw(backend == Backend::SQLite
                              ? QStringLiteral("strftime(%1, 'now', 'localtime')")
                                    .arg(QLatin1String(kSqliteDateFormat))
                              : QStringLiteral("localtimestamp(3)"));
                t.erase(t.begin() + i + 1, t.begin() + q + 1);
            }
        } else if (tok.isSymbol('+')) {
            const size_t a = prevSolid(t, i);
            const size_t b = nextSolid(t, i + 1);
            if ((a != npos && t[a].kind == Tok::String) || (b != npos && t[b].kind == Tok::String))
                tok.text = QStringLiteral("||");
        }
    }
}

struct DateUnit {
    const char* names[4];
    const char* sqlite; // modifier word
    const char* pg;     // interval unit
    int factor;
};

const DateUnit kUnits[] = {
    {{"year", "yy", "yyyy", nullptr}, "years", "year", 1},
    {{"month", "mm", "m", nullptr}, "months", "month", 1},
    {{"week", "wk", "ww", nullptr}, "days", "day", 7},
    {{"day", "dd", "d", "dayofyear"}, "days", "day", 1},
    {{"hour", "hh", nullptr, nullptr}, "hours", "hour", 1},
    {{"minute", "mi", "n", nullptr}, "minutes", "minute", 1},
    {{"second", "ss", "s", nullptr}, "seconds", "second", 1},
};

// dateadd(unit, n, x), innermost first so that nested calls are already rewritten.
void dateAdd(Tokens& t, Backend backend) {
    for (size_t i = t.size(); i-- > 0;) {
        if (!t[i].isWord("dateadd")) continue;
        const size_t open = nextSolid(t, i + 1);
        if (open == npos || !t[open].isSymbol('(')) continue;
        const size_t close = matchingParen(t, open);
        if (close == npos) throw DbError(QStringLiteral("Unbalanced dateadd"), join(t));
        std::vector<std::pair<size_t, size_t>> args;
        size_t from = open + 1;
        int depth = 0;
        for (size_t k = open + 1; k < close; ++k) {
            if (t[k].isSymbol('('))
                ++depth;
            else if (t[k].isSymbol(')'))
                --depth;
            else if (depth == 0 && t[k].isSymbol(',')) {
                args.emplace_back(from, k);
                from = k + 1;
            }
        }
        args.emplace_back(from, close);
        if (args.size() != 3)
            throw DbError(QStringLiteral("dateadd needs three arguments"), join(t));
        const QString unitName = join(t, args[0].first, args[0].second).trimmed().toLower();
        const DateUnit* unit = nullptr;
        for (const DateUnit& u : kUnits)
            for (const char* n : u.names)
                if (n && unitName == QLatin1String(n)) unit = &u;
        if (!unit)
            throw DbError(QStringLiteral("Unsupported dateadd unit %1").arg(unitName), join(t));
        const QString amount = join(t, args[1].first, args[1].second).trimmed();
        const QString value = join(t, args[2].first, args[2].second).trimmed();
        // A variable of a batch arrives already cast to timestamp: no second cast.
        const size_t v0 = nextSolid(t, args[2].first);
        const size_t vOpen = v0 == npos ? npos : nextSolid(t, v0 + 1);
        const bool castAlready = vOpen != npos && t[v0].isWord("cast") && t[vOpen].isSymbol('(') &&
                                 prevSolid(t, args[2].second) == matchingParen(t, vOpen) &&
                                 value.endsWith(QLatin1String("as timestamp(3))"));
        static const QRegularExpression intLiteral(QStringLiteral("^[-+]?\\s*\\d+$"));
        const bool literal = intLiteral.match(amount).hasMatch();
        QString out;
        if (backend == Backend::SQLite) {
            QString modifier;
            if (literal) {
                const long long n =
                    QString(amount).remove(QLatin1Char(' ')).toLongLong() * unit->factor;
                modifier = QStringLiteral("'%1 %2'").arg(n).arg(QLatin1String(unit->sqlite));
            } else {
                const QString n = unit->factor == 1
                                      ? QStringLiteral("(%1)").arg(amount)
                                      : QStringLiteral("((%1) * %2)").arg(amount).arg(unit->factor);
                modifier = QStringLiteral("%1 || ' %2'").arg(n, QLatin1String(unit->sqlite));
            }
            out = QStringLiteral("strftime(%1, %2, %3)")
                      .arg(QLatin1String(kSqliteDateFormat), value, modifier);
        } else {
            const QString base =
                castAlready ? value : QStringLiteral("cast(%1 as timestamp(3))").arg(value);
            if (literal) {
                const long long n =
                    QString(amount).remove(QLatin1Char(' ')).toLongLong() * unit->factor;
                out = QStringLiteral("(%1 + interval '%2 %3')")
                          .arg(base)
                          .arg(n)
                          .arg(QLatin1String(unit->pg));
            } else {
                out = QStringLiteral("(%1 + (%2) * interval '%3 %4')")
                          .arg(base, amount)
                          .arg(unit->factor)
                          .arg(QLatin1String(unit->pg));
            }
        }
        t.erase(t.begin() + i + 1, t.begin() + close + 1);
        t[i] = raw(out);
    }
}

} // namespace

QString SqlDialect::adapt(const QString& text, Backend backend,
                          const InsertColumns& insertColumns) {
    try {
        Tokens t = lex(inlineBatch(text, backend));
        // Neither backend has variables: one left over would bind as an unnamed null on SQLite.
        for (const Token& tok : t)
            if (tok.kind == Tok::Variable)
                throw DbError(QStringLiteral("Variable %1 is not declared").arg(tok.text));
        topToLimit(t);
        positionalInsert(t, insertColumns);
        deleteFrom(t);
        simpleRewrites(t, backend);
        dateAdd(t, backend);
        return join(t);
    } catch (const DbError& e) {
        throw DbError(e.message, text); // name the statement as the caller wrote it
    }
}

} // namespace host

#include "host/db/SqlBatch.h"

#include "host/db/DbValues.h"
#include "host/db/SqlLexer.h"

#include <map>

namespace host::sql {

namespace {

struct Variable {
    QString type;  // SQL Server type as declared, lower case
    QString value; // SQL expression; empty while never assigned (reads as NULL)
    Tok valueKind = Tok::Raw;
};

using Variables = std::map<QString, Variable>; // by lower-case name without '@'

bool statementKeyword(const Token& t) {
    static const char* const words[] = {"set",    "select", "exec",   "execute", "declare",
                                        "insert", "update", "delete", "if",      "begin",
                                        "while",  "return", "with"};
    for (const char* w : words)
        if (t.isWord(w)) return true;
    return false;
}

bool isDateType(const QString& type) {
    return type.startsWith(QLatin1String("datetime")) || type == QLatin1String("date") ||
           type == QLatin1String("smalldatetime");
}

bool isNumericType(const QString& type) {
    static const char* const numeric[] = {"int",     "integer", "smallint", "tinyint",
                                          "bigint",  "bit",     "float",    "real",
                                          "decimal", "numeric", "money"};
    const QString base = type.section(QLatin1Char('('), 0, 0).trimmed();
    for (const char* n : numeric)
        if (base == QLatin1String(n)) return true;
    return false;
}

class Inliner {
public:
    Inliner(const QString& text, Backend backend) : text_(text), backend_(backend), t_(lex(text)) {}

    QString run();

private:
    [[noreturn]] void fail(const QString& why) const { throw DbError(why, text_); }
    Variable& var(const Token& tok);
    size_t parseDeclare(size_t i, Variables& into);
    size_t expressionEnd(size_t i, bool commaEnds) const;
    QString substitute(size_t from, size_t to);
    QString substituteTokens(const Tokens& t, size_t from, size_t to, const Variables& vars);
    QString valueOf(const Variable& v, const QString& asType) const;
    size_t parseAssignment(size_t i, bool selectList);
    QString parseExecuteSql(size_t i);

    QString text_;
    Backend backend_;
    Tokens t_;
    Variables vars_;
};

Variable& Inliner::var(const Token& tok) {
    const auto it = vars_.find(tok.name().toLower());
    if (it == vars_.end()) fail(QStringLiteral("Variable %1 is not declared").arg(tok.text));
    return it->second;
}

// "@a int, @b nvarchar(30) [= value]" up to the end of the declaration. Returns the index after.
size_t Inliner::parseDeclare(size_t i, Variables& into) {
    while (true) {
        size_t k = nextSolid(t_, i);
        if (k == npos || t_[k].kind != Tok::Variable) fail(QStringLiteral("Malformed declare"));
        const QString name = t_[k].name().toLower();
        size_t ty = nextSolid(t_, k + 1);
        if (ty != npos && t_[ty].isWord("as")) ty = nextSolid(t_, ty + 1);
        if (ty == npos || t_[ty].kind != Tok::Word) fail(QStringLiteral("Malformed declare"));
        QString type = t_[ty].text.toLower();
        size_t after = ty + 1;
        size_t p = nextSolid(t_, after);
        if (p != npos && t_[p].isSymbol('(')) {
            const size_t close = matchingParen(t_, p);
            if (close == npos) fail(QStringLiteral("Malformed declare"));
            type += join(t_, p, close + 1).simplified().remove(QLatin1Char(' '));
            after = close + 1;
            p = nextSolid(t_, after);
        }
        Variable v;
        v.type = type;
        into[name] = v;
        if (p != npos && t_[p].isSymbol('=')) {
            const size_t end = expressionEnd(p + 1, true);
            into[name].value = substitute(p + 1, end).trimmed();
            after = end;
            p = nextSolid(t_, after);
        }
        if (p != npos && t_[p].isSymbol(',')) {
            i = p + 1;
            continue;
        }
        return after;
    }
}

// End (exclusive) of an expression starting at i: a ";" or a statement keyword at depth 0,
// or a "," at depth 0 when commaEnds.
size_t Inliner::expressionEnd(size_t i, bool commaEnds) const {
    int depth = 0;
    size_t k = i;
    for (; k < t_.size(); ++k) {
        const Token& tok = t_[k];
        if (tok.isSymbol('('))
            ++depth;
        else if (tok.isSymbol(')'))
            --depth;
        else if (depth == 0) {
            if (tok.isSymbol(';') || (commaEnds && tok.isSymbol(','))) break;
            if (statementKeyword(tok) && k > nextSolid(t_, i)) break;
        }
    }
    return k;
}

QString Inliner::valueOf(const Variable& v, const QString& asType) const {
    QString value = v.value.trimmed();
    if (value.isEmpty() || value.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("NULL");
    const Tokens vt = lex(value);
    const bool single = vt.size() == 1;
    if (isDateType(asType) && single && vt[0].kind == Tok::String) {
        // SQLite compares date-times as text: only the canonical form orders correctly.
        if (auto t = db::parseDateTimeText(vt[0].unquoted()))
            value = quoted(db::canonicalDateTime(*t));
    }
    if (backend_ == Backend::SQLite)
        return single ? value : QLatin1Char('(') + value + QLatin1Char(')');
    if (single && vt[0].kind == Tok::Number && isNumericType(asType)) return value;
    return QStringLiteral("cast(%1 as %2)").arg(value, backendType(asType, backend_));
}

QString Inliner::substituteTokens(const Tokens& t, size_t from, size_t to, const Variables& vars) {
    QString out;
    for (size_t k = from; k < t.size() && k < to; ++k) {
        if (t[k].kind == Tok::Variable) {
            const auto it = vars.find(t[k].name().toLower());
            if (it == vars.end())
                fail(QStringLiteral("Variable %1 is not declared").arg(t[k].text));
            out += valueOf(it->second, it->second.type);
        } else {
            out += t[k].text;
        }
    }
    return out;
}

QString Inliner::substitute(size_t from, size_t to) {
    return substituteTokens(t_, from, to, vars_);
}

// "set @a = expr" or "select @a = expr, @b = expr". Returns the index after.
size_t Inliner::parseAssignment(size_t i, bool selectList) {
    while (true) {
        const size_t k = nextSolid(t_, i);
        if (k == npos || t_[k].kind != Tok::Variable) fail(QStringLiteral("Malformed assignment"));
        const size_t eq = nextSolid(t_, k + 1);
        if (eq == npos || !t_[eq].isSymbol('=')) fail(QStringLiteral("Malformed assignment"));
        const size_t end = expressionEnd(eq + 1, selectList);
        const QString value = substitute(eq + 1, end).trimmed();
        var(t_[k]).value = value;
        if (selectList && end < t_.size() && t_[end].isSymbol(',')) {
            i = end + 1;
            continue;
        }
        return end;
    }
}

// exec sp_executesql N'statement' [, N'@x type, ...' [, args...]]
QString Inliner::parseExecuteSql(size_t i) {
    size_t k = nextSolid(t_, i);
    if (k == npos || t_[k].kind != Tok::String)
        fail(QStringLiteral("sp_executesql needs a statement text"));
    const QString inner = t_[k].unquoted();

    Variables innerVars;
    std::vector<QString> order;
    size_t p = nextSolid(t_, k + 1);
    if (p != npos && t_[p].isSymbol(',')) {
        const size_t d = nextSolid(t_, p + 1);
        if (d == npos || t_[d].kind != Tok::String)
            fail(QStringLiteral("sp_executesql: malformed parameter list"));
        Inliner declParser(t_[d].unquoted(), backend_);
        declParser.parseDeclare(0, innerVars);
        for (const Token& tok : declParser.t_)
            if (tok.kind == Tok::Variable) order.push_back(tok.name().toLower());
        p = nextSolid(t_, d + 1);
        size_t position = 0;
        while (p != npos && t_[p].isSymbol(',')) {
            size_t a = nextSolid(t_, p + 1);
            QString target;
            const size_t eq = a == npos ? npos : nextSolid(t_, a + 1);
            if (a != npos && t_[a].kind == Tok::Variable && eq != npos && t_[eq].isSymbol('=')) {
                target = t_[a].name().toLower();
                a = eq + 1;
            } else {
                if (position >= order.size())
                    fail(QStringLiteral("sp_executesql: more arguments than parameters"));
                target = order[position];
            }
            ++position;
            const auto it = innerVars.find(target);
            if (it == innerVars.end())
                fail(QStringLiteral("sp_executesql: unknown parameter @%1").arg(target));
            const size_t end = expressionEnd(a, true);
            const size_t first = nextSolid(t_, a);
            if (first != npos && first + 1 == end && t_[first].kind == Tok::Variable) {
                it->second.value = var(t_[first]).value; // typed by the inner declaration
            } else {
                it->second.value = substitute(a, end).trimmed();
            }
            p = end < t_.size() ? end : npos;
            if (p != npos && !t_[p].isSymbol(',')) p = nextSolid(t_, p);
        }
    }
    if (p != npos && !t_[p].isSymbol(';'))
        fail(QStringLiteral("sp_executesql: unexpected text after the arguments"));
    const Tokens it = lex(inner);
    return substituteTokens(it, 0, it.size(), innerVars).trimmed();
}

QString Inliner::run() {
    size_t i = nextSolid(t_, 0);
    QString result;
    while (i != npos) {
        const Token& tok = t_[i];
        const size_t n1 = nextSolid(t_, i + 1);
        const size_t n2 = n1 == npos ? npos : nextSolid(t_, n1 + 1);
        if (tok.isSymbol(';')) {
            i = nextSolid(t_, i + 1);
            continue;
        }
        if (!result.isEmpty()) fail(QStringLiteral("A batch may end in one statement only"));
        if (tok.isWord("declare")) {
            i = nextSolid(t_, parseDeclare(i + 1, vars_));
        } else if (tok.isWord("set") && n1 != npos && t_[n1].kind == Tok::Variable) {
            i = nextSolid(t_, parseAssignment(i + 1, false));
        } else if (tok.isWord("select") && n1 != npos && t_[n1].kind == Tok::Variable &&
                   n2 != npos && t_[n2].isSymbol('=')) {
            i = nextSolid(t_, parseAssignment(i + 1, true));
        } else if ((tok.isWord("exec") || tok.isWord("execute")) && n1 != npos &&
                   t_[n1].isWord("sp_executesql")) {
            result = parseExecuteSql(n1 + 1);
            i = npos;
        } else {
            // The statement the batch runs: up to a top-level ";" followed by more text.
            size_t end = i;
            int depth = 0;
            for (; end < t_.size(); ++end) {
                if (t_[end].isSymbol('('))
                    ++depth;
                else if (t_[end].isSymbol(')'))
                    --depth;
                else if (depth == 0 && t_[end].isSymbol(';'))
                    break;
            }
            result = substitute(i, end).trimmed();
            i = end < t_.size() ? nextSolid(t_, end + 1) : npos;
        }
    }
    return result;
}

} // namespace

bool isBatch(const QString& text) {
    Tokens t;
    try {
        t = lex(text);
    } catch (const DbError&) {
        return false;
    }
    const size_t i = nextSolid(t, 0);
    if (i == npos) return false;
    const size_t n1 = nextSolid(t, i + 1);
    const size_t n2 = n1 == npos ? npos : nextSolid(t, n1 + 1);
    if (t[i].isWord("declare")) return true;
    if (t[i].isWord("set") && n1 != npos && t[n1].kind == Tok::Variable) return true;
    if (t[i].isWord("select") && n1 != npos && t[n1].kind == Tok::Variable && n2 != npos &&
        t[n2].isSymbol('='))
        return true;
    return (t[i].isWord("exec") || t[i].isWord("execute")) && n1 != npos &&
           t[n1].isWord("sp_executesql");
}

QString inlineBatch(const QString& text, Backend backend) {
    if (!isBatch(text)) return text;
    return Inliner(text, backend).run();
}

QString backendType(const QString& sqlServerType, Backend backend) {
    const QString type = sqlServerType.toLower().remove(QLatin1Char(' '));
    const QString base = type.section(QLatin1Char('('), 0, 0);
    const QString args =
        type.contains(QLatin1Char('(')) ? type.mid(type.indexOf(QLatin1Char('('))) : QString();
    const bool pg = backend == Backend::PostgreSQL;
    if (base == QLatin1String("int") || base == QLatin1String("integer"))
        return QStringLiteral("integer");
    if (base == QLatin1String("tinyint") || base == QLatin1String("smallint") ||
        base == QLatin1String("bit"))
        return pg ? QStringLiteral("smallint") : QStringLiteral("integer");
    if (base == QLatin1String("bigint")) return QStringLiteral("bigint");
    if (base == QLatin1String("float") || base == QLatin1String("real"))
        return pg ? QStringLiteral("double precision") : QStringLiteral("real");
    if (base == QLatin1String("decimal") || base == QLatin1String("numeric") ||
        base == QLatin1String("money"))
        return pg ? QStringLiteral("numeric") + args : QStringLiteral("numeric");
    if (isDateType(base)) return pg ? QStringLiteral("timestamp(3)") : QStringLiteral("text");
    static const char* const texts[] = {"varchar", "nvarchar", "char", "nchar", "text", "ntext"};
    for (const char* t : texts)
        if (base == QLatin1String(t)) return QStringLiteral("text");
    throw DbError(QStringLiteral("Unsupported SQL type %1").arg(sqlServerType));
}

} // namespace host::sql

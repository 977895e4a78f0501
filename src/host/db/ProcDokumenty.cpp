// Procedures of linked documents, record removal and import links.

#include "host/db/DbValues.h"
#include "host/db/Procedures.h"
#include "host/db/Schema.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>

namespace host::proc {

namespace {

constexpr int kOk = 0;
constexpr int kSaveError = 1;         // anything else the host reports as a failed save
constexpr int kRecordGone = 101;      // the record was deleted meanwhile
constexpr int kNotSynchronised = 102; // no table definition to register the document under
constexpr int kInUse = 103;           // other records still point at it (removal without force)

QVariant orZeroInt(const QVariant& v) {
    return v.isNull() ? QVariant(0) : v;
}

bool identifier(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(s).hasMatch();
}

struct TableDefinition {
    int code = -1;
    QString table; // empty for the general code 0, which belongs to no record
    QString keyColumn;
};

// The table code as given (its number as text), or looked up by its descriptive name.
std::optional<TableDefinition> tableDefinition(Connection& c, const QString& given) {
    bool numeric = false;
    const int code = given.trimmed().toInt(&numeric);
    QSqlQuery q(c.db());
    q.prepare(
        numeric
            ? QStringLiteral(
                  "select tabela, nazwa_tabeli, nazwa_id from definicja_tabela where tabela = ?")
            : QStringLiteral("select tabela, nazwa_tabeli, nazwa_id from definicja_tabela where "
                             "tabela_slownie = ?"));
    q.addBindValue(numeric ? QVariant(code) : QVariant(given.trimmed()));
    if (!q.exec()) throw DbError(q.lastError().text(), q.lastQuery());
    if (!q.next()) return std::nullopt;
    TableDefinition d{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()};
    if (!d.table.isEmpty() && (!identifier(d.table) || !identifier(d.keyColumn)))
        throw DbError(QStringLiteral("Malformed table definition %1").arg(d.code));
    return d;
}

// Rows of other tables that point at a record and would be left dangling by its removal.
struct Reference {
    const char* table;
    const char* keyColumn;
    const char* referencingTable;
    const char* referencingColumn;
};

const Reference kReferences[] = {
    {"kierowca", "id_k", "tacho", "id_k"},
    {"kierowca", "id_k", "tacho", "id_konwojenta"},
    {"kierowca", "id_k", "tacho", "id_konwojenta2"},
    {"samochod", "id_s", "tacho", "id_s"},
    {"miasto", "id_m", "punkty_specjalne", "id_adr"},
    {"dzien", "id_dnia", "nieobecnosc", "id_dnia"},
};

} // namespace

// Registers a document file for a record: @tabela is the table code (or its descriptive name),
// @id_ the record. A new registration's key comes back in @id; a positive @id changes that
// registration. Returns 0, 101 when the record (or the registration) is gone, 102 when the
// table code is not defined, 1 for a path that cannot be stored.
void PZapDokPlik(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    const QString path = a.text("@sciezka").toString();
    if (path.trimmed().isEmpty() || path.size() > 600) {
        p.setReturnValue(kSaveError);
        return;
    }
    const auto def = tableDefinition(c, a.text("@tabela").toString());
    if (!def) {
        p.setReturnValue(kNotSynchronised);
        return;
    }
    const QVariant record = a.integer("@id_");
    if (!def->table.isEmpty()) {
        const QVariant found = scalar(
            c, QStringLiteral("select 1 from %1 where %2 = ?").arg(def->table, def->keyColumn),
            {record});
        if (!found.isValid()) {
            p.setReturnValue(kRecordGone);
            return;
        }
    }
    const Columns row = {
        {"sciezka", path},
        {"podkatalog", a.text("@podkatalog")},
        {"tabela", def->code},
        {"id_", orZeroInt(record)},
        {"id_u", a.integer("@id_u")},
        {"data_dod", QVariant::fromValue(TDateTime::fromQDateTime(QDateTime::currentDateTime()))},
    };
    const int id = a.intOr("@id", 0);
    if (id > 0) {
        if (updateRow(c, QStringLiteral("dokument_plik"), row, QStringLiteral("id_dp"), id) == 0)
            p.setReturnValue(kRecordGone);
        return;
    }
    p.setParam(QStringLiteral("@id"),
               insertRow(c, QStringLiteral("dokument_plik"), row, QStringLiteral("id_dp")));
    p.setReturnValue(kOk);
}

// Removes the record @id of table @tabela (key column @nazwa_id). Without @czy_wymuszenie a
// record that other rows still point at stays (103); 101 when there was no such record.
void PUsunW(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    const QString table = a.text("@tabela").toString().trimmed().toLower();
    const QString keyColumn = a.text("@nazwa_id").toString().trimmed().toLower();
    if (!identifier(table) || !db::schemaTables().contains(table, Qt::CaseInsensitive) ||
        !identifier(keyColumn))
        throw DbError(QStringLiteral("PUsunW: no table %1 with key %2").arg(table, keyColumn));
    const QVariant id = a.integer("@id");
    if (id.isNull()) throw DbError(QStringLiteral("PUsunW needs @id"));
    if (a.intOr("@czy_wymuszenie", 0) == 0) {
        for (const Reference& r : kReferences) {
            if (table != QLatin1String(r.table) || keyColumn != QLatin1String(r.keyColumn))
                continue;
            const QString sql =
                QStringLiteral("select 1 from %1 where %2 = ?")
                    .arg(QLatin1String(r.referencingTable), QLatin1String(r.referencingColumn));
            if (scalar(c, sql, {id}).isValid()) {
                p.setReturnValue(kInUse);
                return;
            }
        }
    }
    const int removed =
        execRows(c, QStringLiteral("delete from %1 where %2 = ?").arg(table, keyColumn), {id});
    p.setReturnValue(removed > 0 ? kOk : kRecordGone);
}

// A value taken over from an import for one column of one record. One row per record and
// column: a second call for the same column replaces the first. The row's key in @id.
void PZapImportPowiazania(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    const QVariant table = a.text("@tabela");
    const QVariant column = a.text("@nazwa_kol");
    const QVariant record = a.integer("@id_");
    if (table.isNull() || column.isNull() || record.isNull())
        throw DbError(QStringLiteral("PZapImportPowiazania needs @tabela, @id_ and @nazwa_kol"));
    const Columns row = {
        {"tabela", table},
        {"nazwa_id", a.text("@nazwa_id")},
        {"id_", record},
        {"nazwa_kol", column},
        {"kol_", a.text("@kol_")},
        {"wartosc_import", a.text("@wartosc_import")},
        {"import", a.text("@import")},
        {"czy_import", a.flag("@czy_import")},
    };
    QVariant id = a.integer("@id");
    if (id.isNull() || id.toInt() <= 0)
        id = scalar(
            c,
            QStringLiteral(
                "select id from import_powiazania where tabela = ? and id_ = ? and nazwa_kol = ?"),
            {table, record, column});
    if (id.isValid() &&
        updateRow(c, QStringLiteral("import_powiazania"), row, QStringLiteral("id"), id) > 0) {
        p.setParam(QStringLiteral("@id"), id.toInt());
        return;
    }
    p.setParam(QStringLiteral("@id"),
               insertRow(c, QStringLiteral("import_powiazania"), row, QStringLiteral("id")));
}

} // namespace host::proc

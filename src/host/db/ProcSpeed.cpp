// The host's speed records: a copy of each saved period with its driver, kept so that the
// host's working-time settlement reads one narrow table instead of charts and periods.

#include "host/db/Procedures.h"

namespace host::proc {

namespace {

// Rows of a driver; a driver key of 0 or less means "no driver" (null).
QString driverCondition(const QVariant& id_k) {
    return id_k.isNull() || id_k.toInt() <= 0 ? QStringLiteral("id_k is null")
                                              : QStringLiteral("id_k = ?");
}

std::vector<QVariant> withDriver(std::vector<QVariant> values, const QVariant& id_k) {
    if (!id_k.isNull() && id_k.toInt() > 0) values.push_back(id_k);
    return values;
}

QVariant driverOrNull(const QVariant& id_k) {
    return id_k.isNull() || id_k.toInt() <= 0 ? QVariant() : id_k;
}

} // namespace

// @id_tpz, @id_k, @czas_od, @czas_do, @czy_praca, @rodzaj: the record of one saved period,
// replacing an earlier record of that period.
void SPEED_ZapiszPozZdarz(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    const QVariant id = a.integer("@id_tpz");
    if (id.isNull() || id.toInt() <= 0)
        throw DbError(QStringLiteral("SPEED_ZapiszPozZdarz needs @id_tpz"));
    const QVariant chart =
        scalar(c, QStringLiteral("select id_t from poz_zdarz where id_tpz = ?"), {id});
    if (!chart.isValid())
        throw DbError(QStringLiteral("SPEED_ZapiszPozZdarz: no period %1").arg(id.toInt()));
    if (a.isNull("@czas_od") || a.isNull("@czas_do"))
        throw DbError(QStringLiteral("SPEED_ZapiszPozZdarz needs @czas_od and @czas_do"));
    execRows(c, QStringLiteral("delete from speed_poz_zdarz where id_tpz = ?"), {id});
    insertRow(c, QStringLiteral("speed_poz_zdarz"),
              {
                  {"id_tpz", id},
                  {"id_t", chart.toInt()},
                  {"id_k", driverOrNull(a.integer("@id_k"))},
                  {"czas_od", a.dateTime("@czas_od")},
                  {"czas_do", a.dateTime("@czas_do")},
                  {"czy_praca", a.intOr("@czy_praca", 0)},
                  {"rodzaj", a.intOr("@rodzaj", 0)},
              });
}

// @id_t, @id_k: the chart's records of that driver go.
void SPEED_UsunPozZdarz(StoredProc& p) {
    Args a(p);
    const QVariant id_k = a.integer("@id_k");
    execRows(p.connection(),
             QStringLiteral("delete from speed_poz_zdarz where id_t = ? and ") +
                 driverCondition(id_k),
             withDriver({a.integer("@id_t")}, id_k));
}

// @id_t, @id_k_stary, @id_k_nowy: the chart's records pass from one driver to the other.
void SPEED_ZmienKierPozZdarz(StoredProc& p) {
    Args a(p);
    const QVariant oldDriver = a.integer("@id_k_stary");
    execRows(p.connection(),
             QStringLiteral("update speed_poz_zdarz set id_k = ? where id_t = ? and ") +
                 driverCondition(oldDriver),
             withDriver({driverOrNull(a.integer("@id_k_nowy")), a.integer("@id_t")}, oldDriver));
}

} // namespace host::proc

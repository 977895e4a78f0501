// Procedures that store a chart: its row, its periods, its special points, its error texts.

#include "host/db/DbValues.h"
#include "host/db/Procedures.h"

#include <QDateTime>

namespace host::proc {

namespace {

constexpr int kRecordGone = 101; // the row to change was deleted meanwhile

QVariant now() {
    return QVariant::fromValue(TDateTime::fromQDateTime(QDateTime::currentDateTime()));
}

// A key of another row: 0 or less means none.
QVariant keyOrNull(const Args& a, const char* n) {
    const QVariant v = a.integer(n);
    return v.isNull() || v.toInt() <= 0 ? QVariant() : v;
}

QVariant orZero(const QVariant& v) {
    return v.isNull() ? QVariant(0) : v;
}

QVariant textOrNull(const Args& a, const char* n) {
    const QVariant v = a.text(n);
    return v.isNull() || v.toString().isEmpty() ? QVariant() : v;
}

void require(const Args& a, const char* n, const StoredProc& p) {
    if (a.isNull(n)) throw DbError(QStringLiteral("%1 needs %2").arg(p.name(), QLatin1String(n)));
}

bool exists(Connection& c, const QString& table, const QString& keyColumn, const QVariant& key) {
    return scalar(c, QStringLiteral("select 1 from %1 where %2 = ?").arg(table, keyColumn), {key})
        .isValid();
}

} // namespace

// The chart row (tacho) with its analogue record (tacho_analog). @idt 0 or null stores a new
// chart, whose key comes back in @id_t; otherwise the chart @idt is changed.
void PZapTacho(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    require(a, "@data", p);
    const int idt = a.intOr("@idt", 0);

    Columns chart = {
        {"data", a.dateTime("@data")},
        {"id_k", keyOrNull(a, "@idk")},
        {"id_konwojenta", keyOrNull(a, "@id_konwojenta")},
        {"id_konwojenta2", keyOrNull(a, "@id_konwojenta2")},
        {"id_s", keyOrNull(a, "@ids")},
        {"km_pocz", a.integer("@km_pocz")},
        {"km_kon", a.integer("@km_kon")},
        {"km_obl", a.integer("@km_obl")},
        {"kat_rozp", a.floating("@kat_rozp")},
        {"rodzaj", orZero(a.integer("@rodzaj"))},
        {"typ_dnia", orZero(a.integer("@typ_dnia"))},
        {"zespol", orZero(a.integer("@zespol"))},
        {"ps", orZero(a.flag("@ps"))},
        {"cyfrowy", orZero(a.integer("@cyfrowy"))},
        {"status", orZero(a.integer("@status"))},
        {"status_tacho", a.integer("@status_tacho")},
        {"adnotacje", a.text("@adnotacje")},
        {"adnotacje_mod", a.text("@adnotacje_mod")},
        {"nieczytelna", orZero(a.flag("@nieczytelna"))},
        {"blad_obsl_t", orZero(a.flag("@blad_obsl_t"))},
        {"niekompletne", orZero(a.integer("@niekompletne"))},
        {"przerysowana", orZero(a.flag("@przerysowana"))},
        {"brak_wr", orZero(a.flag("@brak_wr"))},
        {"kilka_wykr", orZero(a.flag("@kilka_wykr"))},
        {"nieprawidlowa", orZero(a.flag("@nieprawidlowa"))},
        {"niezgodnosc_cz", orZero(a.flag("@niezgodnosc_cz"))},
        {"wirtualne_przem", orZero(a.flag("@wirtualne_przem"))},
        {"czy_reczna", orZero(a.flag("@czy_reczna"))},
        {"dzien_kal", a.dateTime("@dzien_kal")},
        {"przes_utc", a.integer("@przes_utc")},
        {"nazwa_pliku", a.text("@nazwa_pliku")},
        {"wer_km", a.integer("@wer_km")},
        {"czy_zaswiadczenie", orZero(a.flag("@czy_zaswiadczenie"))},
        {"id_nrk", a.integer("@id_nrk")},
    };
    const Columns analog = {
        {"kat24", orZero(a.floating("@kat24"))},
        {"x0", orZero(a.integer("@x0"))},
        {"y0", orZero(a.integer("@y0"))},
        {"pocz_sr_godz", orZero(a.integer("@pocz_sr_godz"))},
        {"pv", orZero(a.integer("@pv"))},
        {"kat_zak", a.floating("@kat_zak")},
        {"czy_szczeg", orZero(a.flag("@czy_szczeg"))},
    };
    // An empty period summary means "periods unchanged": the stored one stays.
    const QVariant podsum = textOrNull(a, "@zdarz_podsum");

    if (idt <= 0) {
        chart.push_back({"zdarz_podsum", podsum});
        chart.push_back({"id_u_dod", a.integer("@id_u")});
        chart.push_back({"data_dod", now()});
        const QVariant id = insertRow(c, QStringLiteral("tacho"), chart, QStringLiteral("id_t"));
        Columns withKey = analog;
        withKey.insert(withKey.begin(), {"id_t", id});
        insertRow(c, QStringLiteral("tacho_analog"), withKey);
        p.setParam(QStringLiteral("@id_t"), id);
        return;
    }

    if (!exists(c, QStringLiteral("tacho"), QStringLiteral("id_t"), idt)) {
        p.setParam(QStringLiteral("@id_t"), QVariant());
        p.setReturnValue(kRecordGone);
        return;
    }
    if (!podsum.isNull()) chart.push_back({"zdarz_podsum", podsum});
    chart.push_back({"id_u_mod", a.integer("@id_u")});
    chart.push_back({"data_mod", now()});
    updateRow(c, QStringLiteral("tacho"), chart, QStringLiteral("id_t"), idt);
    if (updateRow(c, QStringLiteral("tacho_analog"), analog, QStringLiteral("id_t"), idt) == 0) {
        Columns withKey = analog;
        withKey.insert(withKey.begin(), {"id_t", idt});
        insertRow(c, QStringLiteral("tacho_analog"), withKey);
    }
    p.setParam(QStringLiteral("@id_t"), idt);
}

// One activity period. A new period's key comes back in @id_tpz; a positive @id_tpz of an
// existing period changes that period.
void PZapPozZdarz(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    require(a, "@id_t", p);
    require(a, "@czas_od", p);
    require(a, "@czas_do", p);
    require(a, "@czy_praca", p);
    const Columns period = {
        {"id_t", a.integer("@id_t")},
        {"slot", orZero(a.integer("@slot"))},
        {"czas_od", a.dateTime("@czas_od")},
        {"czas_do", a.dateTime("@czas_do")},
        {"kat_trw", a.floating("@kat_trw")},
        {"km", orZero(a.floating("@km"))},
        {"czy_praca", a.integer("@czy_praca")},
        {"podjazd", orZero(a.integer("@podjazd"))},
        {"out", orZero(a.integer("@out"))},
        {"czy_przerwa", orZero(a.integer("@czy_przerwa"))},
        {"pz_zespol", orZero(a.integer("@pz_zespol"))},
        {"km_wer", a.integer("@km_wer")},
        {"gbox", a.integer("@gbox")},
    };
    const int id = a.intOr("@id_tpz", 0);
    if (id > 0 &&
        updateRow(c, QStringLiteral("poz_zdarz"), period, QStringLiteral("id_tpz"), id) > 0) {
        p.setParam(QStringLiteral("@id_tpz"), id);
        return;
    }
    p.setParam(QStringLiteral("@id_tpz"),
               insertRow(c, QStringLiteral("poz_zdarz"), period, QStringLiteral("id_tpz")));
}

// One loading, unloading or border-crossing point; @id null stores a new one (its key comes
// back in @id), a positive @id changes that point (101 when it is gone).
void PZapPktSpec(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    require(a, "@id_t", p);
    require(a, "@data", p);
    const Columns point = {
        {"id_t", a.integer("@id_t")},
        {"data", a.dateTime("@data")},
        {"stan_licznika", a.integer("@stan_licznika")},
        {"tonaz", a.floating("@tonaz")},
        {"kod_ladunku", a.text("@kod_ladunku")},
        {"typ", orZero(a.integer("@typ"))},
        {"id_adr", keyOrNull(a, "@id_adr")},
    };
    const int id = a.intOr("@id", 0);
    if (id > 0) {
        if (updateRow(c, QStringLiteral("punkty_specjalne"), point, QStringLiteral("id"), id) == 0)
            p.setReturnValue(kRecordGone);
        return;
    }
    p.setParam(QStringLiteral("@id"),
               insertRow(c, QStringLiteral("punkty_specjalne"), point, QStringLiteral("id")));
}

// The chart's three error texts; empty texts are stored as null, and a chart with no text
// at all keeps no row.
void PZapTachoOpisy(StoredProc& p) {
    Args a(p);
    Connection& c = p.connection();
    require(a, "@id_t", p);
    const QVariant id = a.integer("@id_t");
    const Columns texts = {
        {"opis_bledow", textOrNull(a, "@opis_bledow")},
        {"opis_kier", textOrNull(a, "@opis_kier")},
        {"uwagi", textOrNull(a, "@uwagi")},
    };
    bool any = false;
    for (const auto& t : texts)
        any = any || !t.second.isNull();
    if (!any) {
        execRows(c, QStringLiteral("delete from tacho_opisy where id_t = ?"), {id});
        return;
    }
    if (updateRow(c, QStringLiteral("tacho_opisy"), texts, QStringLiteral("id_t"), id) == 0) {
        Columns withKey = texts;
        withKey.insert(withKey.begin(), {"id_t", id});
        insertRow(c, QStringLiteral("tacho_opisy"), withKey);
    }
}

} // namespace host::proc

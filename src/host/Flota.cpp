#include "host/Flota.h"

#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/Resstrings.h"
#include "host/db/Query.h"

namespace host {

namespace {

QString nazwisko_imie(int id_k) {
    Query q(QStringLiteral("select nazwisko_imie from vlistakierall where id_k = :id_k"));
    q.setParam(QStringLiteral("id_k"), id_k);
    q.open();
    return q.Eof() ? QString() : q.asString(QStringLiteral("nazwisko_imie"));
}

} // namespace

QString ZwrocKierowce(int id_k) {
    return id_k > 0 ? nazwisko_imie(id_k) : QString();
}

QString ZwrocSamochod(int id_s) {
    if (id_s <= 0) return {};
    Query q(QStringLiteral("select nr_rej from samochod where id_s = :id_s"));
    q.setParam(QStringLiteral("id_s"), id_s);
    q.open();
    return q.Eof() ? QString() : q.asString(QStringLiteral("nr_rej"));
}

Query KierowcyZatrudnieni(const QDate& dzien, int id_u) {
    Query q(QStringLiteral("select distinct id_k, nazwisko_imie, id_f\n"
                           "from VListaKierAll\n"
                           "where (data_od<=:data_do or data_od is null) and "
                           "(data_do>=:data_od or data_do is null)\n"
                           "and id_u = :id_u\n"
                           "order by nazwisko_imie"));
    q.setParam(QStringLiteral("data_od"), TDateTime::fromDate(dzien));
    q.setParam(QStringLiteral("data_do"), TDateTime::fromDate(dzien));
    q.setParam(QStringLiteral("id_u"), id_u);
    return q;
}

Konwojenci ZwrocKonwojenta(int id_k) {
    Konwojenci k;
    Query q(
        QStringLiteral("select id_konwojenta, id_konwojenta2 from kierowca where id_k = :id_k"));
    q.setParam(QStringLiteral("id_k"), id_k);
    q.open();
    if (q.Eof()) return k;
    k.id1 = q.asInteger(QStringLiteral("id_konwojenta"));
    k.id2 = q.asInteger(QStringLiteral("id_konwojenta2"));
    k.nazwisko1 = ZwrocKierowce(k.id1);
    k.nazwisko2 = ZwrocKierowce(k.id2);
    return k;
}

int NewRecordKomunikaty(const QString& modul, const QString& nazwa, int id, QWidget* owner) {
    const std::shared_ptr<QLibrary> lib = LoadLibrary_main(modul);
    const auto edytuj =
        lib ? reinterpret_cast<EdytujRekord_fn>(lib->resolve(kEdytujRekord)) : nullptr;
    if (!edytuj) {
        InfoBox(LoadResstrings(QStringLiteral("Resstrings_IDS_brak_modulu")).arg(nazwa), MB_OK,
                owner);
        return 0;
    }
    return edytuj(owner, id);
}

} // namespace host

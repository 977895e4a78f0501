#include "ModuleFixture.h"

#include "SrodowiskoHosta.h"

#include "chartwin/TMDIChild.h"
#include "host/HostContext.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"

#include <QDir>

#include <cmath>

void ModuleTest::SetUp() {
    dialogi = zainstalujSrodowiskoHosta();
    gospodarz = std::make_unique<TestHost>();
}

void ModuleTest::TearDown() {
    gospodarz.reset();
    usunSrodowiskoHosta();
}

void ModuleTest::z_katalogiem_danych() {
    dane = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dane->isValid());
    host::SetDataFolder(dane->path());
    QDir().mkpath(dane->filePath(QStringLiteral("Image")));
}

QString ModuleTest::plik_obrazu(int idt) const {
    return dane->filePath(QStringLiteral("Image/%1.bmp").arg(idt));
}

TMDIChild* okno(QWidget* w) {
    return static_cast<TMDIChild*>(w);
}

void wykonaj(const QString& sql) {
    host::Query q(sql);
    q.exec();
}

int liczba(const QString& sql, int idt) {
    host::Query q(sql);
    q.setParam(QStringLiteral("id_t"), idt);
    q.open();
    return q.asInteger(QStringLiteral("n"));
}

int dodaj_okres(int idt, double od_min, double do_min, int czy_praca, int km) {
    const double dzien = host::TDateTime::encode(2024, 3, 12);
    host::Query q(
        QStringLiteral("insert into poz_zdarz (id_t, czas_od, czas_do, kat_trw, km, czy_praca) "
                       "values (:id_t, :od, :do, :kat, :km, :c)"));
    q.setParam(QStringLiteral("id_t"), idt);
    q.setParam(QStringLiteral("od"), host::TDateTime(dzien + od_min / 1440.0));
    q.setParam(QStringLiteral("do"), host::TDateTime(dzien + do_min / 1440.0));
    q.setParam(QStringLiteral("kat"), (do_min - od_min) * 0.25);
    q.setParam(QStringLiteral("km"), double(km));
    q.setParam(QStringLiteral("c"), czy_praca);
    q.exec();
    return q.lastInsertId().toInt();
}

std::vector<Okres> okresy(const Lista_zdarz& l) {
    std::vector<Okres> w;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast)
        w.push_back({int(std::lround(z->czas_od.timeOfDay() * 1440.0)),
                     int(std::lround(z->czas_do.timeOfDay() * 1440.0)), z->czy_praca});
    return w;
}

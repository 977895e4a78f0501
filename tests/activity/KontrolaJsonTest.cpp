// Day files: what is refused (each message names its field), what a good day gives, and
// "tacho check" as a user runs it.
#include "UruchomTacho.h"

#include "activity/KontrolaJson.h"
#include "activity/WynikJson.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

// A day of three periods by times; `okres2` is the middle one, `reszta` adds top-level fields.
QByteArray dzien_czasy(const char* okres2 = R"({"czy_praca": 2, "czas_od": "06:00",
                                                "czas_do": "08:00", "km": 150})",
                       const char* reszta = "", const char* data = "2008-05-12") {
    return QByteArray(R"({"date": ")") + data + R"(", )" + reszta + R"( "periods": [
        {"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"}, )" +
           okres2 + R"(, {"czy_praca": 0, "czas_od": "08:00", "czas_do": "24:00"}]})";
}

// The same day by angles, midnight at 0 degrees (06:00 is 90, 08:00 is 120).
QByteArray dzien_katy(const char* okres2 = R"({"czy_praca": 2, "kat_od": 90, "kat_do": 120})",
                      const char* okres3 = R"({"czy_praca": 0, "kat_od": 120, "kat_do": 0})") {
    return QByteArray(R"({"date": "2008-05-12", "kat24": 0, "periods": [
        {"czy_praca": 0, "kat_od": 0, "kat_do": 90}, )") +
           okres2 + ", " + okres3 + "]}";
}

TEST(DzienJson, ZlyDzienNazywaPole) {
    const struct {
        const char* co;
        QByteArray tresc;
        const char* pole;  // the message starts with "pole: "
        const char* slowo; // and holds this
    } tabela[] = {
        {"overlap by times",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "05:00", "czas_do": "08:00"})"),
         "periods[1].czas_od", "overlaps periods[0] (00:00 to 06:00)"},
        {"gap by times", dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:30", "czas_do": "08:00"})"),
         "periods[1].czas_od", "leaves a gap after periods[0]"},
        {"overlap by angles", dzien_katy(R"({"czy_praca": 2, "kat_od": 80, "kat_do": 120})"),
         "periods[1].kat_od", "overlaps"},
        {"gap by angles", dzien_katy(R"({"czy_praca": 2, "kat_od": 95, "kat_do": 120})"),
         "periods[1].kat_od", "leaves a gap"},
        {"out of order",
         dzien_katy(R"({"czy_praca": 0, "kat_od": 120, "kat_do": 0})",
                    R"({"czy_praca": 2, "kat_od": 90, "kat_do": 120})"),
         "periods[1].kat_od", "leaves a gap"},
        {"more than a day",
         dzien_katy(R"({"czy_praca": 2, "kat_od": 90, "kat_do": 0})",
                    R"({"czy_praca": 0, "kat_od": 0, "kat_do": 90})"),
         "periods", "longer than 24 hours"},
        {"whole-day period among others",
         dzien_katy(R"({"czy_praca": 2, "kat_od": 90, "kat_do": 90})"), "periods[1].kat_do",
         "whole day"},
        {"whole day by times among others",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "06:00"})"),
         "periods[1].czas_do", "whole day"},
        {"km above what is kept",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00", "km": 32768})"),
         "periods[1].km", "0 to 32767"},
        {"km of 1e9",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00", "km": 1e9})"),
         "periods[1].km", "0 to 32767"},
        {"negative km",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00", "km": -1})"),
         "periods[1].km", "0 to 32767"},
        {"km not whole",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00", "km": 2.5})"),
         "periods[1].km", "whole number"},
        {"unknown code", dzien_czasy(R"({"czy_praca": 4, "czas_od": "06:00", "czas_do": "08:00"})"),
         "periods[1].czy_praca", "unknown activity code 4"},
        {"unknown field of a period",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00", "kmm": 5})"),
         "periods[1].kmm", "unknown field"},
        {"unknown field at the top",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00"})",
                     R"("crew": 0, "kat_24": 90,)"),
         "kat_24", "unknown field"},
        {"unknown setting",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00"})",
                     R"("settings": {"tolerancja_99": 5},)"),
         "settings.tolerancja_99", "unknown setting"},
        {"date with trailing garbage",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00"})", "",
                     "2008-05-12garbage"),
         "date", "2008-05-12garbage"},
        {"date without leading zeros",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "08:00"})", "",
                     "2008-5-12"),
         "date", "YYYY-MM-DD"},
        {"time that is not one",
         dzien_czasy(R"({"czy_praca": 2, "czas_od": "06:00", "czas_do": "25:00"})"),
         "periods[1].czas_do", "25:00"},
        {"angles without kat24",
         R"({"date": "2008-05-12", "periods": [{"czy_praca": 0, "kat_od": 0, "kat_do": 0.5}]})",
         "kat24", "needed"},
        {"both forms in one day", dzien_czasy(R"({"czy_praca": 2, "kat_od": 90, "kat_do": 120})"),
         "periods[1]", "needs czas_od and czas_do"},
    };
    for (const auto& t : tabela) {
        SCOPED_TRACE(t.co);
        Lista_zdarz lista;
        lista.dodaj_zdarzenie(0.0, 10.0, kPraca); // cleared by a refusal as well
        DzienKontroli dzien;
        QString blad;
        EXPECT_FALSE(wczytaj_dzien(t.tresc, lista, dzien, blad));
        EXPECT_TRUE(blad.startsWith(QLatin1String(t.pole) + QLatin1String(": ")))
            << blad.toStdString();
        EXPECT_TRUE(blad.contains(QLatin1String(t.slowo))) << blad.toStdString();
        EXPECT_EQ(lista.ile, -1);
    }
}

TEST(DzienJson, DobryDzienPrzechodzi) {
    // The base days of the table above are good, in both forms.
    for (const QByteArray& tresc : {dzien_czasy(), dzien_katy()}) {
        Lista_zdarz lista;
        DzienKontroli dzien;
        QString blad;
        ASSERT_TRUE(wczytaj_dzien(tresc, lista, dzien, blad)) << blad.toStdString();
        EXPECT_EQ(lista.liczba(), 3);
        const QJsonObject wynik = sprawdz_dzien(lista, dzien);
        const QJsonArray okresy = wynik["periods"].toArray();
        ASSERT_EQ(okresy.size(), 3);
        EXPECT_EQ(okresy[1].toObject()["czas_od"].toString(), "06:00");
        EXPECT_EQ(okresy[1].toObject()["czy_praca"].toInt(), kJazda);
        EXPECT_EQ(wynik["summary"].toObject()["jazda"].toString(), "02:00");
        EXPECT_EQ(wynik["check"].toObject()["result"].toInt(), 0);
    }
}

TEST(DzienJson, OkresKonczacySieGdzieZaczynaToCalyDzien) {
    // One full-day period, in each way a day file can give it: 24 hours in the summary's
    // totals and in the check (the labels read as a clock does: rest 23:59, a whole day of
    // another activity 00:00).
    const struct {
        const char* co;
        const char* okres;
        int kod;
        const char* etykieta; // summary key
        const char* czas;     // what its label reads
    } tabela[] = {
        {"rest by times", R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "24:00"})", kPostoj,
         "postoj", "23:59"},
        {"rest by equal times", R"({"czy_praca": 0, "czas_od": "05:30", "czas_do": "05:30"})",
         kPostoj, "postoj", "23:59"},
        {"rest by angles", R"({"czy_praca": 0, "kat_od": 40, "kat_do": 40})", kPostoj, "postoj",
         "23:59"},
        {"rest by 0 to 360", R"({"czy_praca": 0, "kat_od": 0, "kat_do": 360})", kPostoj, "postoj",
         "23:59"},
        {"no data", R"({"czy_praca": -1, "kat_od": 40, "kat_do": 40})", kBrakDanych, "brak",
         "00:00"},
        {"driving", R"({"czy_praca": 2, "czas_od": "00:00", "czas_do": "24:00"})", kJazda, "jazda",
         "00:00"},
    };
    for (const auto& t : tabela) {
        SCOPED_TRACE(t.co);
        Lista_zdarz lista;
        DzienKontroli dzien;
        QString blad;
        ASSERT_TRUE(wczytaj_dzien(QByteArray(R"({"date": "2008-05-12", "kat24": 0, "periods": [)") +
                                      t.okres + "]}",
                                  lista, dzien, blad))
            << blad.toStdString();
        ASSERT_EQ(lista.liczba(), 1);
        EXPECT_EQ(dlugosc_min(*lista.pierwszy), 24 * 60);
        const QJsonObject wynik = sprawdz_dzien(lista, dzien);
        EXPECT_EQ(wynik["periods"].toArray()[0].toObject()["czy_praca"].toInt(), t.kod);
        EXPECT_EQ(wynik["summary"].toObject()[t.etykieta].toString(), t.czas);
        if (t.kod != kPostoj) {
            EXPECT_EQ(wynik["summary"].toObject()["minuty"].toObject()[t.etykieta].toInt(), 1440);
        }
        const QJsonArray uwagi = wynik["check"].toObject()["findings"].toArray();
        if (t.kod == kPostoj) {
            // A day of rest holds its daily rest: nothing to report.
            EXPECT_EQ(wynik["check"].toObject()["result"].toInt(), 0);
        } else if (t.kod == kJazda) {
            // No rest at all still reads as a clock's 23:59.
            EXPECT_EQ(wynik["summary"].toObject()["postoj"].toString(), "23:59");
            EXPECT_TRUE(wynik["summary"].toObject()["ostrzezenie"].toBool());
            ASSERT_FALSE(uwagi.isEmpty());
            EXPECT_TRUE(uwagi[0].toString().contains("24h 00"))
                << uwagi[0].toString().toStdString();
        }
    }
}

TEST(DzienJson, OkresyMajaZnakPrzerwyIPunkty) {
    // One field set for tacho read and tacho check.
    Lista_zdarz lista;
    lista.dodaj_zdarzenie(0.0, 100.0, kJazda, 40);
    lista.dodaj_zdarzenie(100.0, 0.0, kPostoj);
    lista.pierwszy->punkty->dodaj(10.0f, 1, 270);
    lista.pierwszy->punkty->dodaj(20.0f, 5, 314);
    lista.ostatni->czy_przerwa = 3;
    const QJsonArray a = okresy_json(lista);
    ASSERT_EQ(a.size(), 2);
    EXPECT_EQ(a[0].toObject().keys(), (QStringList{"czas_do", "czas_od", "czy_praca", "czy_przerwa",
                                                   "kat_do", "kat_od", "km", "nr", "points"}));
    EXPECT_EQ(a[0].toObject()["points"].toInt(), 2);
    EXPECT_EQ(a[1].toObject()["czy_przerwa"].toInt(), 3);
}

TEST(DzienJson, SumyKilometrowNiePrzepelniajaInt) {
    // The list itself may hold more than a day file allows; its sums must still be right.
    Lista_zdarz lista;
    lista.dodaj_zdarzenie(0.0, 90.0, kJazda);
    lista.dodaj_zdarzenie(90.0, 180.0, kJazda);
    lista.dodaj_zdarzenie(180.0, 0.0, kPostoj);
    const std::int32_t duzo = std::numeric_limits<std::int32_t>::max();
    lista.pierwszy->km = duzo;
    lista.pierwszy->nast->km = duzo;
    EXPECT_EQ(lista.km_w_zakresie(0, lista.ile), 2 * std::int64_t(duzo));
    const QJsonObject p = podsumowanie_json(pokaz_podsum(lista));
    EXPECT_EQ(p["km"].toInteger(), 2 * std::int64_t(duzo));
    // 180 degrees of driving are 12 hours.
    EXPECT_EQ(p["v"].toInteger(), 2 * std::int64_t(duzo) / 12);
}

TEST(TachoCheck, ZlyDzienKonczySieKodem2NazywajacPole) {
    const std::pair<QByteArray, const char*> przypadki[] = {
        {R"({"date": "2008-05-12", "periods": [
            {"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"},
            {"czy_praca": 9, "czas_od": "06:00", "czas_do": "07:00"}]})",
         "periods[1].czy_praca"},
        {"not json", "not valid JSON"},
    };
    QTemporaryDir dir;
    for (const auto& [tresc, blad] : przypadki) {
        const QString plik = dir.filePath("dzien.json");
        QFile f(plik);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(tresc);
        f.close();
        const WynikTacho w = uruchom_tacho({"check", plik}, 60000);
        EXPECT_EQ(w.kod, 2) << blad;
        EXPECT_TRUE(w.out.isEmpty());
        EXPECT_TRUE(w.err.contains(blad)) << w.err.constData();
    }
}

} // namespace

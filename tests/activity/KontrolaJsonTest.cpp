// Day files: reading, refusing bad ones, the check as JSON, and "tacho check" itself.
#include "activity/KontrolaJson.h"

#include "host/Ustawienia.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray dzien(const char* okresy, const char* reszta = "") {
    return QByteArray("{\"date\": \"2008-05-12\", ") + reszta + "\"periods\": [" + okresy + "]}";
}

TEST(KontrolaJson, ZlyDzienNazywaPole) {
    const struct {
        QByteArray json;
        const char* blad;
    } tabela[] = {
        {"{\"date\": ", "not valid JSON"},
        {"[1, 2]", "not valid JSON for a day"},
        {"{\"periods\": []}", "date: missing"},
        {"{\"date\": \"12.05.2008\", \"periods\": []}", "date: cannot read \"12.05.2008\""},
        {dzien("", "\"crew\": -1, "), "crew: not a whole number"},
        {dzien("", "\"settings\": {\"kpkjc\": \"yes\"}, "), "settings.kpkjc: not true or false"},
        {dzien("", "\"settings\": {\"tolerancja_15\": 2.5}, "),
         "settings.tolerancja_15: not a whole"},
        {dzien("", "\"settings\": {\"tolerancja\": 5}, "), "settings.tolerancja: unknown setting"},
        {"{\"date\": \"2008-05-12\"}", "periods: missing"},
        {dzien(R"({"czas_od": "00:00", "czas_do": "06:00"})"), "periods[0].czy_praca: missing"},
        {dzien(R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"},
                  {"czy_praca": 4, "czas_od": "06:00", "czas_do": "07:00"})"),
         "periods[1].czy_praca: unknown activity code 4"},
        {dzien(R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"},
                  {"czy_praca": 2, "czas_od": "05:30", "czas_do": "07:00"})"),
         "periods[1].czas_od: 05:30 overlaps periods[0] (00:00 to 06:00)"},
        {dzien(R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"},
                  {"czy_praca": 2, "czas_od": "06:30", "czas_do": "07:00"})"),
         "periods[1].czas_od: 06:30 leaves a gap after periods[0] (00:00 to 06:00)"},
        {dzien(R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "12:00"},
                  {"czy_praca": 0, "czas_od": "12:00", "czas_do": "24:00"},
                  {"czy_praca": 2, "czas_od": "00:00", "czas_do": "01:00"})"),
         "periods: together longer than 24 hours"},
        {dzien(R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "25:00"})"),
         "periods[0].czas_do: cannot read \"25:00\""},
        {dzien(R"({"czy_praca": 0, "czas_od": "06:00", "czas_do": "06:00"})"),
         "periods[0].czas_do: the period ends where it starts"},
        {dzien(R"({"czy_praca": 0, "kat_od": 0, "kat_do": 90})"), "kat24: needed"},
        {dzien(R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"},
                  {"czy_praca": 2, "kat_od": 90, "kat_do": 100})"),
         "periods[1]: needs czas_od and czas_do"},
    };
    for (const auto& t : tabela) {
        Lista_zdarz l;
        l.dodaj_zdarzenie(0.0, 10.0, kJazda); // a failed read leaves nothing behind
        DzienKontroli d;
        QString blad;
        EXPECT_FALSE(wczytaj_dzien(t.json, l, d, blad)) << t.json.constData();
        EXPECT_TRUE(blad.startsWith(QLatin1String(t.blad))) << qPrintable(blad);
        EXPECT_EQ(l.ile, -1);
    }
}

// 00:00 at 90 degrees: rest to 04:00, driving 4 h 30 (400 km), 45 rest, driving 2 h (150 km),
// 30 work, rest to midnight.
const char* const kDzienKatami = R"({"date": "2008-05-12", "kat24": 90, "periods": [
    {"czy_praca": 0, "kat_od": 90, "kat_do": 150},
    {"czy_praca": 2, "kat_od": 150, "kat_do": 217.5, "km": 400},
    {"czy_praca": 0, "kat_od": 217.5, "kat_do": 228.75},
    {"czy_praca": 2, "kat_od": 228.75, "kat_do": 258.75, "km": 150},
    {"czy_praca": 1, "kat_od": 258.75, "kat_do": 266.25},
    {"czy_praca": 0, "kat_od": 266.25, "kat_do": 90}]})";

TEST(KontrolaJson, DzienKatamiDajeKontroleIPodsumowanie) {
    Lista_zdarz l;
    DzienKontroli d;
    QString blad;
    ASSERT_TRUE(wczytaj_dzien(kDzienKatami, l, d, blad)) << qPrintable(blad);
    const QJsonObject o = sprawdz_dzien(l, d);
    EXPECT_EQ(o["date"].toString(), "2008-05-12");
    EXPECT_EQ(o["check"].toObject(), QJsonDocument::fromJson(R"({"result": 0, "ile_jazda_ciagla": 0,
                  "ile_przerwa_krotka": 0, "findings": []})")
                                         .object());
    EXPECT_EQ(o["summary"].toObject(),
              QJsonDocument::fromJson(R"({"jazda": "06:30", "praca": "00:30", "dyzur": "00:00",
                  "brak": "00:00", "postoj": "17:00", "km": 550, "v": 84, "ostrzezenie": false})")
                  .object());
    const QJsonArray okresy = o["periods"].toArray();
    ASSERT_EQ(okresy.size(), 6);
    QList<int> znaki;
    for (const QJsonValue& v : okresy)
        znaki << v["czy_przerwa"].toInt();
    EXPECT_EQ(znaki, (QList<int>{0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(okresy[1]["czas_od"].toString(), "04:00");
    EXPECT_EQ(okresy[1]["czas_do"].toString(), "08:30");
}

TEST(KontrolaJson, DzienCzasamiZUstawieniamiPliku) {
    // Starts at 06:00 and runs round to the next 06:00; a 40-minute break is complete only
    // with the file's tolerance, which must not reach the host's settings.
    const QByteArray json = R"({"date": "2008-05-12", "crew": 1,
        "settings": {"tolerancja_45": 5, "kpkjc": 1},
        "periods": [
        {"czy_praca": 0, "czas_od": "06:00", "czas_do": "07:00"},
        {"czy_praca": 2, "czas_od": "07:00", "czas_do": "11:30"},
        {"czy_praca": 3, "czas_od": "11:30", "czas_do": "12:10"},
        {"czy_praca": 2, "czas_od": "12:10", "czas_do": "16:10"},
        {"czy_praca": 0, "czas_od": "16:10", "czas_do": "24:00"},
        {"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"}]})";
    Lista_zdarz l;
    DzienKontroli d;
    QString blad;
    ASSERT_TRUE(wczytaj_dzien(json, l, d, blad)) << qPrintable(blad);
    EXPECT_EQ(d.zaloga, 1);
    const QJsonObject o = sprawdz_dzien(l, d);
    const QJsonArray okresy = o["periods"].toArray();
    ASSERT_EQ(okresy.size(), 6);
    EXPECT_EQ(okresy[0]["czas_od"].toString(), "06:00");
    EXPECT_EQ(okresy[2]["czy_przerwa"].toInt(), 3); // availability of a crew, 40 >= 45 - 5
    EXPECT_EQ(o["check"]["result"].toInt(), 0);
    EXPECT_EQ(host::GetZm("tolerancja_45", "KX").toInt(), 0);

    d.ustawienia.remove("tolerancja_45");
    EXPECT_EQ(sprawdz_dzien(l, d)["check"].toObject()["result"].toInt(), 1);
}

// "tacho check" as a user runs it, from the runtime tree.
class TachoCheck : public ::testing::Test {
protected:
    int uruchom(const QByteArray& tresc, QByteArray& wyjscie, QByteArray& bledy) {
        const QString plik = dir.filePath("dzien.json");
        QFile f(plik);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(tresc);
        f.close();
        QProcess p;
        p.start(QCoreApplication::applicationDirPath() + "/tacho", {"check", plik});
        EXPECT_TRUE(p.waitForFinished(60000));
        wyjscie = p.readAllStandardOutput();
        bledy = p.readAllStandardError();
        return p.exitCode();
    }
    QTemporaryDir dir;
};

TEST_F(TachoCheck, DobryDzienDrukujeKontrole) {
    QByteArray out, err;
    ASSERT_EQ(uruchom(kDzienKatami, out, err), 0) << err.constData();
    EXPECT_EQ(out.count('\n'), 1);
    const QJsonObject o = QJsonDocument::fromJson(out).object();
    EXPECT_EQ(o["check"]["result"].toInt(), 0);
    EXPECT_EQ(o["periods"][2]["czy_przerwa"].toInt(), 3);
    EXPECT_EQ(o["summary"]["km"].toInt(), 550);
}

TEST_F(TachoCheck, ZlyDzienKonczySieKodem2) {
    QByteArray out, err;
    EXPECT_EQ(uruchom(dzien(R"({"czy_praca": 0, "czas_od": "00:00", "czas_do": "06:00"},
                               {"czy_praca": 9, "czas_od": "06:00", "czas_do": "07:00"})"),
                      out, err),
              2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("periods[1].czy_praca")) << err.constData();

    EXPECT_EQ(uruchom("not json", out, err), 2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("not valid JSON")) << err.constData();
}

} // namespace

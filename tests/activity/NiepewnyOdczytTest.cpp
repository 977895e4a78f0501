// What a reading reports besides the periods: the stretches with no recording, and pictures
// that show no chart.
#include "PomocTarczy.h"

#include "activity/WynikJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <random>

using chartgen::ChartSpec;
using chartgen::Period;

namespace {

int minuty(const QString& hhnn) {
    return hhnn.left(2).toInt() * 60 + hhnn.mid(3, 2).toInt();
}

} // namespace

TEST(BezZapisu, StretchesWithNoInkAreReportedWithTheirTimes) {
    const struct {
        const char* co;
        std::vector<Period> dzien;
        std::vector<std::pair<int, int>> bez; // minutes of the day, from and to
    } tabela[] = {
        {"half a day", {{0, 0, 403}, {-1, 403, 1132}, {0, 1132, 1440}}, {{403, 1132}}},
        {"nine minutes are not reported", {{0, 0, 600}, {-1, 600, 609}, {0, 609, 1440}}, {}},
        {"ten minutes are", {{0, 0, 600}, {-1, 600, 610}, {0, 610, 1440}}, {{600, 610}}},
        {"after driving",
         {{0, 0, 600}, {2, 600, 700, 100}, {-1, 700, 711}, {1, 711, 1440}},
         {{700, 711}}},
        {"across midnight is one stretch", {{-1, 1380, 60}, {0, 60, 1380}}, {{1380, 60}}},
        {"two around a drive",
         {{0, 0, 300}, {-1, 300, 400}, {2, 400, 500, 80}, {-1, 500, 600}, {3, 600, 1440}},
         {{300, 400}, {500, 600}}},
        {"a whole day recorded", {{0, 0, 300}, {2, 300, 500, 120}, {0, 500, 1440}}, {}},
    };
    for (int typ : {0, 2}) {
        for (const auto& t : tabela) {
            SCOPED_TRACE(std::string(t.co) + ", kind " + std::to_string(typ));
            ChartSpec s;
            s.kat24 = 37.0;
            s.typ = typ;
            s.periods = t.dzien;
            std::optional<chartgen::DrawnChart> rys;
            const auto odczyt = rysuj_i_czytaj(s, rys);
            ASSERT_TRUE(odczyt);
            const QJsonObject o = odczyt_json(*odczyt);
            const QJsonArray bez = o["no_trace"].toArray();
            ASSERT_EQ(bez.size(), qsizetype(t.bez.size()))
                << QJsonDocument(bez).toJson().toStdString();
            for (qsizetype i = 0; i < bez.size(); ++i) {
                // The ends of the drawn bars may darken the first or last minute.
                EXPECT_NEAR(minuty(bez[i].toObject()["od"].toString()), t.bez[std::size_t(i)].first,
                            1);
                EXPECT_NEAR(minuty(bez[i].toObject()["do"].toString()) % 1440,
                            t.bez[std::size_t(i)].second % 1440, 1);
            }
            EXPECT_TRUE(o["warnings"].toArray().isEmpty());
            // The reading rules keep their codes: no trace is read as rest.
            const Lista_zdarz& l = *odczyt->lista;
            for (const auto& [od, do_] : t.bez) {
                const double srodek = od + ((do_ - od + 1440) % 1440) / 2.0;
                const Zdarzenie* z = l.na_pozycji(l.pozycja_kata(s.angleOf(srodek)));
                ASSERT_TRUE(z);
                EXPECT_EQ(z->czy_praca, kPostoj);
            }
        }
    }
}

TEST(NieTarcza, PicturesWithNoPrintedRingsAreReadWithAWarning) {
    std::mt19937 los(5);
    host::Bitmap32 szum(1000, 1000, host::clWhite32);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1000; ++x)
            if (los() % 2) szum.SetPixelS(x, y, host::clBlack32);
    // A whole disc cut by the picture's edge, 250 px off its middle.
    ChartSpec s;
    s.kat24 = 90.0;
    s.rozmiar = 1500;
    s.periods = {{0, 0, 360}, {2, 360, 480, 150}, {0, 480, 1440}};
    std::optional<chartgen::DrawnChart> rys;
    const auto dobry = rysuj_i_czytaj(s, rys);
    ASSERT_TRUE(dobry);
    // The same chart where the reading expects it: nothing to warn about.
    EXPECT_TRUE(dobry->ostrzezenia.isEmpty()) << dobry->ostrzezenia.join('\n').toStdString();
    host::Bitmap32 obok(1000, 1000);
    obok.Draw(-500, -250, rys->image);
    const struct {
        const char* co;
        host::Bitmap32 obraz;
        bool bez_tuszu; // no ink anywhere: the whole day has no recording
    } tabela[] = {
        {"blank", host::Bitmap32(1000, 1000, host::clWhite32), true},
        {"solid black", host::Bitmap32(1000, 1000, host::clBlack32), false},
        {"grey", host::Bitmap32(1000, 1000, 0xFF808080u), true},
        {"noise", szum, false},
        {"disc cut by the edge", obok, false},
    };
    for (const auto& t : tabela) {
        SCOPED_TRACE(t.co);
        const OdczytTarczy odczyt = czytaj_obraz(t.obraz, 90.0f);
        ASSERT_EQ(odczyt.ostrzezenia.size(), 1);
        EXPECT_TRUE(odczyt.ostrzezenia[0].contains(QLatin1String("ring")));
        EXPECT_GE(odczyt.lista->liczba(), 1); // the rules still give periods
        const QJsonObject o = odczyt_json(odczyt);
        EXPECT_EQ(o["warnings"].toArray().size(), 1);
        if (t.bez_tuszu) {
            const QJsonArray bez = o["no_trace"].toArray();
            ASSERT_EQ(bez.size(), 1);
            EXPECT_EQ(bez[0].toObject()["od"].toString(), "00:00");
            EXPECT_EQ(bez[0].toObject()["do"].toString(), "24:00");
        }
    }
}

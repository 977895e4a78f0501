// Conversion of entered periods through the real event-conversion library of the runtime tree.
#include "PomocListy.h"

#include "host/KatyCzas.h"
#include "host/Ustawienia.h"

#include <gtest/gtest.h>

namespace {

class Zamiana : public ::testing::Test {
protected:
    void SetUp() override { ustaw(true); }
    void TearDown() override { ustaw(false); }
    static void ustaw(bool wlaczona) {
        host::SetZm(QStringLiteral("KxZamianaZdarzenDaneAnalogowe"), QStringLiteral("KX"),
                    wlaczona);
    }
};

TEST_F(Zamiana, OkresPrzezPolnocDzielonyNaDwa) {
    Lista_zdarz l;
    ASSERT_NE(l.biblioteka, nullptr);
    ASSERT_NE(l.NEW_Zdarzenie, nullptr);
    ASSERT_NE(l.ZamienZdarzenie, nullptr);
    wypelnij(l, {{15, 345, kPostoj}});
    // 23:00 .. 01:00 availability, 10 km, entered with conversion
    l.dodaj_zdarzenie(345, 15, kDyzur, 10, 0, 0, 0, nullptr, 0, 1);
    ASSERT_EQ(l.ile, 2);
    ASSERT_EQ(l.oryginalne.size(), 1u);
    const IKxZdarzenie& org = *l.oryginalne.front();
    EXPECT_DOUBLE_EQ(org.get_kat_trw(), 30.0);
    EXPECT_DOUBLE_EQ(org.get_km(), 10.0);
    EXPECT_NEAR(org.get_czas_od(), 23.0 / 24, 1e-12);
    EXPECT_EQ(org.get_pz_zespol(), 0);

    const Zdarzenie* przed = l.na_pozycji(l.pozycja_kata(350));
    const Zdarzenie* po = l.na_pozycji(l.pozycja_kata(10));
    ASSERT_NE(przed, po);
    for (const Zdarzenie* z : {przed, po}) {
        EXPECT_EQ(z->czy_praca, kDyzur);
        EXPECT_EQ(z->pz_zespol, kZnakReczny);
        EXPECT_EQ(z->km, 5);
        EXPECT_NEAR(z->kat_trw(), 15.0, 1e-9);
    }
    EXPECT_NEAR(przed->kat_od, 345, 1e-9);
    EXPECT_NEAR(host::Katdo360(po->kat_do), 15, 1e-9);
    EXPECT_NEAR(przed->czas_do, 1.0, 1e-12);
    EXPECT_NEAR(po->czas_od, 0.0, 1e-12);
    EXPECT_TRUE(spojna(l));
}

} // namespace

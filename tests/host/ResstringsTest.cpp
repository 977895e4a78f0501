#include "host/Resstrings.h"
#include "host/Biblioteki.h"
#include "host/Ustawienia.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace host;

namespace {

void write(const QTemporaryDir& dir, const char* name, const QByteArray& content) {
    QFile f(dir.filePath(QLatin1String(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

TEST(Resstrings, LanguageFallbackAndPlaceholder) {
    QTemporaryDir dir;
    write(dir, "pl.tsv",
          "# komentarz\nResstrings_IDS_A\tTekst A\r\nResstrings_IDS_B\tDwie\\nlinie\n");
    write(dir, "en.tsv", "Resstrings_IDS_A\tText A\nResstrings_IDS_B\t\n");
    SetTranslationsFolder(dir.path());
    const auto load = [](const char* key) { return LoadResstrings(QLatin1String(key)); };

    EXPECT_EQ(load("Resstrings_IDS_A"), QStringLiteral("Tekst A"));
    SetLanguageId(kJezykAngielski);
    EXPECT_EQ(load("Resstrings_IDS_A"), QStringLiteral("Text A"));
    // Empty in English: the Polish text rather than nothing.
    EXPECT_EQ(load("Resstrings_IDS_B"), QStringLiteral("Dwie\nlinie"));
    EXPECT_EQ(load("Resstrings_IDS_Brak"), QStringLiteral("[Resstrings_IDS_Brak]"));
    // Without any tables every key still answers something to show.
    SetTranslationsFolder(dir.filePath(QStringLiteral("brak")));
    EXPECT_EQ(load("Resstrings_IDS_A"), QStringLiteral("[Resstrings_IDS_A]"));

    SetTranslationsFolder(QString());
    InstallSettings(nullptr);
}

// The shipped tables: every key in both languages, none empty, and the same "%n" places to
// fill, so that switching the language never shows a bracketed key or drops a value.
TEST(Resstrings, ShippedTablesMatch) {
    auto wczytaj = [](const char* jezyk) {
        std::map<QString, QString> teksty;
        QFile f(ExeFolder() + QStringLiteral("/lang/") + QLatin1String(jezyk));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text)) << jezyk;
        while (!f.atEnd()) {
            const QString linia = QString::fromUtf8(f.readLine()).trimmed();
            if (linia.isEmpty() || linia.startsWith(QLatin1Char('#'))) continue;
            const qsizetype tab = linia.indexOf(QLatin1Char('\t'));
            teksty[linia.left(tab)] = tab < 0 ? QString() : linia.mid(tab + 1);
        }
        return teksty;
    };
    const auto pl = wczytaj("pl.tsv"), en = wczytaj("en.tsv");
    ASSERT_FALSE(pl.empty());
    auto miejsca = [](const QString& t) {
        QStringList m;
        for (const auto& d : QRegularExpression(QStringLiteral("%\\d")).globalMatch(t))
            m << d.captured();
        m.sort();
        return m;
    };
    for (const auto& [klucz, tekst] : pl) {
        EXPECT_FALSE(tekst.isEmpty()) << "pl " << klucz.toStdString();
        const auto e = en.find(klucz);
        if (e == en.end()) {
            ADD_FAILURE() << "en lacks " << klucz.toStdString();
            continue;
        }
        EXPECT_FALSE(e->second.isEmpty()) << "en " << klucz.toStdString();
        EXPECT_EQ(miejsca(tekst), miejsca(e->second)) << klucz.toStdString();
    }
    for (const auto& [klucz, tekst] : en)
        EXPECT_TRUE(pl.count(klucz)) << "pl lacks " << klucz.toStdString();
}

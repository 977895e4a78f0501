#include "host/Resstrings.h"
#include "host/Ustawienia.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

#include "host/Resstrings.h"
#include "host/Biblioteki.h"
#include "host/Ustawienia.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace host;

namespace {

// The installed tables as key -> raw text, read independently of the loader.
std::map<QString, QString> readTable(const QString& path) {
    std::map<QString, QString> t;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return t;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        t[line.left(tab)] = tab < 0 ? QString() : line.mid(tab + 1);
    }
    return t;
}

QString installed(const char* file) {
    return QDir(ExeFolder()).filePath(QStringLiteral("lang/") + QLatin1String(file));
}

class ResstringsTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetTranslationsFolder(QString());
        InstallSettings(nullptr);
    }
    void write(const char* name, const QByteArray& content) {
        QFile f(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir dir;
};

} // namespace

TEST(ResstringsTables, BothLanguagesHoldTheSameKeysWithTexts) {
    const auto pl = readTable(installed("pl.tsv"));
    const auto en = readTable(installed("en.tsv"));
    ASSERT_GT(pl.size(), 100u);
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const auto& [key, text] : pl) {
        EXPECT_TRUE(key.startsWith(QLatin1String("Resstrings_IDS_"))) << qPrintable(key);
        EXPECT_FALSE(text.trimmed().isEmpty()) << qPrintable(key);
        auto it = en.find(key);
        if (it == en.end()) {
            ADD_FAILURE() << "no English text for " << qPrintable(key);
            continue;
        }
        EXPECT_FALSE(it->second.trimmed().isEmpty()) << qPrintable(key);
        // The caller fills "%1", "%2": both languages must offer the same slots.
        QStringList a, b;
        for (const auto& m : placeholder.globalMatch(text))
            a << m.captured();
        for (const auto& m : placeholder.globalMatch(it->second))
            b << m.captured();
        a.sort();
        b.sort();
        EXPECT_EQ(a, b) << qPrintable(key);
    }
    for (const auto& [key, text] : en)
        EXPECT_TRUE(pl.count(key)) << "no Polish text for " << qPrintable(key);
}

TEST_F(ResstringsTest, LanguageFallbackAndPlaceholder) {
    write("pl.tsv", "# komentarz\nResstrings_IDS_A\tTekst A\r\nResstrings_IDS_B\tDwie\\nlinie\n\n"
                    "Resstrings_IDS_C\tŻółw\n");
    write("en.tsv", "Resstrings_IDS_A\tText A\nResstrings_IDS_C\t\n");
    SetTranslationsFolder(dir.path());

    EXPECT_EQ(GetLanguageId(), kJezykPolski);
    EXPECT_EQ(GetKeyLang(), QStringLiteral("pl"));
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_A")), QStringLiteral("Tekst A"));
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_B")), QStringLiteral("Dwie\nlinie"));
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_C")), QStringLiteral("Żółw"));

    SetLanguageId(kJezykAngielski);
    EXPECT_EQ(GetZm(QStringLiteral("jezyk"), QStringLiteral("ALL")), QVariant(2));
    EXPECT_EQ(GetKeyLang(), QStringLiteral("en"));
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_A")), QStringLiteral("Text A"));
    // Missing or empty in English: the Polish text rather than nothing.
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_B")), QStringLiteral("Dwie\nlinie"));
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_C")), QStringLiteral("Żółw"));

    for (int i = 0; i < 2; ++i) // asked twice, answered the same (logged once)
        EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_Brak")),
                  QStringLiteral("[Resstrings_IDS_Brak]"));
    EXPECT_EQ(LoadResstrings(QString()), QStringLiteral("[]"));

    // An unknown language id reads the Polish tables.
    SetLanguageId(7);
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_A")), QStringLiteral("Tekst A"));

    // Without any tables every key still answers something to show.
    SetTranslationsFolder(dir.filePath(QStringLiteral("brak")));
    EXPECT_EQ(LoadResstrings(QStringLiteral("Resstrings_IDS_A")),
              QStringLiteral("[Resstrings_IDS_A]"));
}

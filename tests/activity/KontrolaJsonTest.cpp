// "tacho check" as a user runs it, from the runtime tree: a bad day file is refused.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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
        QProcess p;
        p.start(QCoreApplication::applicationDirPath() + "/tacho", {"check", plik});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QByteArray err = p.readAllStandardError();
        EXPECT_EQ(p.exitCode(), 2) << blad;
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
        EXPECT_TRUE(err.contains(blad)) << err.constData();
    }
}

} // namespace

// The chart window in English: no caption of the form is left in Polish.

#include "ModuleFixture.h"

#include "chartwin/TMDIChild.h"
#include "host/Resstrings.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

class JezykOknaTest : public ModuleTest {};

// Every text a user can read on the window, by "<control>.<kind>".
QMap<QString, QString> podpisy_okna(int jezyk) {
    host::SetLanguageId(jezyk);
    TMDIChild w(nullptr, false);
    QMap<QString, QString> podpisy;
    auto dodaj = [&](const QString& klucz, const QString& tekst) {
        if (!tekst.trimmed().isEmpty()) podpisy.insert(klucz, tekst);
    };
    dodaj(QStringLiteral("okno.title"), w.windowTitle());
    for (QWidget* c : w.findChildren<QWidget*>()) {
        const QString n = c->objectName();
        if (n.isEmpty()) continue;
        dodaj(n + QStringLiteral(".hint"), c->toolTip());
        if (auto* b = qobject_cast<QAbstractButton*>(c))
            dodaj(n + QStringLiteral(".text"), b->text());
        if (auto* l = qobject_cast<QLabel*>(c)) dodaj(n + QStringLiteral(".text"), l->text());
        if (auto* g = qobject_cast<QGroupBox*>(c)) dodaj(n + QStringLiteral(".title"), g->title());
        if (auto* t = qobject_cast<QTabWidget*>(c))
            for (int i = 0; i < t->count(); ++i)
                dodaj(n + QStringLiteral(".tab") + QString::number(i), t->tabText(i));
        if (auto* v = qobject_cast<QAbstractItemView*>(c); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i)
                dodaj(n + QStringLiteral(".column") + QString::number(i),
                      v->model()->headerData(i, Qt::Horizontal).toString());
    }
    for (QAction* a : w.findChildren<QAction*>())
        if (!a->objectName().isEmpty() && a->text() != a->objectName())
            dodaj(a->objectName() + QStringLiteral(".action"), a->text());
    return podpisy;
}

// Texts that read the same in both languages: symbols, numbers, units and names.
bool ten_sam_w_obu(const QString& tekst) {
    static const QRegularExpression slowo(QStringLiteral("\\p{L}{2,}"));
    static const QStringList wspolne = {QStringLiteral("OK"), QStringLiteral("Status")};
    return !tekst.contains(slowo) || wspolne.contains(tekst);
}

} // namespace

TEST_F(JezykOknaTest, EnglishWindowKeepsNoPolishCaption) {
    const QMap<QString, QString> pl = podpisy_okna(host::kJezykPolski);
    const QMap<QString, QString> en = podpisy_okna(host::kJezykAngielski);
    // The Polish window reads what the form file and the Polish tables give.
    ASSERT_EQ(pl.value(QStringLiteral("zap1.text")), QStringLiteral("Zapisz"));
    ASSERT_EQ(pl.value(QStringLiteral("okno.title")), QStringLiteral("Wykresówka"));
    QStringList polskie;
    for (auto it = pl.cbegin(); it != pl.cend(); ++it)
        if (en.value(it.key()) == it.value() && !ten_sam_w_obu(it.value()))
            polskie << it.key() + QStringLiteral(" = ") + it.value();
    EXPECT_TRUE(polskie.isEmpty()) << polskie.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(en.value(QStringLiteral("zap1.text")), QStringLiteral("Save"));
}

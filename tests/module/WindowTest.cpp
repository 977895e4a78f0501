// The chart window built directly: missing side libraries, zoom, approved
// infringements and the resize message.

#include "ModuleFixture.h"

#include "chartwin/TMDIChild.h"
#include "host/Biblioteki.h"
#include "host/Resstrings.h"
#include "host/TDateTime.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>

namespace {

class WindowTest : public ModuleTest {};

} // namespace

TEST_F(WindowTest, MissingSideLibrariesGiveDefaults) {
    // A runtime tree with the calibration and the translations but none of the libraries.
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QDir(host::ExeFolder()).filePath(QStringLiteral("ust_tacho.ini")),
                            dir.filePath(QStringLiteral("ust_tacho.ini"))));
    host::SetTranslationsFolder(QDir(host::ExeFolder()).filePath(QStringLiteral("lang")));
    host::SetZm(QStringLiteral("tylko_automat"), QStringLiteral("KX"), 0);
    host::SetExeFolder(dir.path());
    TMDIChild w(nullptr, false);
    EXPECT_EQ(w.czytnik_ust, nullptr);
    EXPECT_EQ(w.biblioteka_ust, nullptr);
    EXPECT_EQ(w.biblioteka_dane, nullptr);
    EXPECT_EQ(w.czytnik_jezyka, nullptr);
    EXPECT_EQ(w.domyslna_klasa, 2);
    EXPECT_EQ(w.promien_nom, 500);
    EXPECT_EQ(w.ustawienie(QStringLiteral("dom_kier"), QStringLiteral("KX"), 0).toInt(), 0);
    w.tryb_otwarcia = 1;
    w.FormShow(); // the branches that need the reader are skipped
    EXPECT_TRUE(w.zap1->isEnabled());
    EXPECT_TRUE(dialogi->shown.isEmpty());
}

TEST_F(WindowTest, WheelZoomsByWholeNotches) {
    TMDIChild w(nullptr, false);
    w.Image2->Bitmap() = host::Bitmap32(1000, 1000);
    w.Image2->SetScale(1.0);
    w.KolkoMyszy(120);
    EXPECT_GT(w.Image2->Scale(), 1.0);
    EXPECT_TRUE(w.powiekszony);
    const double po = w.Image2->Scale();
    w.KolkoMyszy(60); // half a notch up counts as down
    EXPECT_LT(w.Image2->Scale(), po);
    w.KolkoMyszy(-120);
    EXPECT_LT(w.Image2->Scale(), 1.0);
    w.powrotClick();
    EXPECT_FALSE(w.powiekszony);
}

TEST_F(WindowTest, FittingAnEmptyBitmapDoesNotDivideByZero) {
    EXPECT_DOUBLE_EQ(ImgView32::DopasujSkale(300, 0), 300.0);
    EXPECT_DOUBLE_EQ(ImgView32::DopasujSkale(300, 600), 0.5);
    TMDIChild w(nullptr, false);
    w.dopasuj_widok();
    EXPECT_GT(w.Image2->Scale(), 0.0);
}

// A view that is not shown keeps the drawings handed to it until its bitmap is asked for or
// it shows, and then does them in order, before any drawing made directly.
TEST_F(WindowTest, HiddenViewDrawsWhenItsBitmapIsNeeded) {
    const host::Bitmap32 skan(10, 10);
    QWidget okno;
    okno.resize(200, 200);
    auto* v = new ImgView32(&okno);
    v->hide();
    okno.show();
    v->Bitmap() = skan;
    int narysowane = 0;
    v->Odloz([&](host::Bitmap32& b) {
        b.SetPixelS(1, 1, host::clBlack32);
        ++narysowane;
    });
    v->Odloz([&](host::Bitmap32& b) { b.SetPixelS(1, 1, host::Color32(255, 0, 0)); });
    EXPECT_EQ(narysowane, 0);
    // Asked for: drawn first, in order; the shared picture keeps its pixels.
    std::as_const(*v).Bitmap();
    EXPECT_EQ(narysowane, 1);
    EXPECT_EQ(v->Bitmap().GetPixelS(1, 1), host::Color32(255, 0, 0));
    EXPECT_EQ(skan.GetPixelS(1, 1), host::clWhite32);

    // Shown later: drawn on showing; a shown view draws at once.
    v->Odloz([&](host::Bitmap32&) { ++narysowane; });
    v->show();
    EXPECT_EQ(narysowane, 2);
    v->Odloz([&](host::Bitmap32&) { ++narysowane; });
    EXPECT_EQ(narysowane, 3);
}

TEST_F(WindowTest, ViewMapsControlToBitmap) {
    ImgView32 v;
    v.SetScrollBars(false);
    v.Bitmap() = host::Bitmap32(100, 100);
    v.SetScale(2.0);
    // A bitmap smaller than the viewport is centred in it.
    const QSize vp = v.viewport()->size();
    ASSERT_GT(vp.width(), 200);
    const QPointF b = v.ControlToBitmap(QPoint(vp.width() / 2, vp.height() / 2));
    EXPECT_NEAR(b.x(), 50.0, 0.5);
    EXPECT_NEAR(b.y(), 50.0, 0.5);
    EXPECT_EQ(v.BitmapToControl(v.ControlToBitmap(QPoint(40, 60))), QPoint(40, 60));
    // A larger one follows the scroll position.
    v.SetScrollBars(true);
    v.SetScale(20.0);
    const QPointF vor = v.ControlToBitmap(QPoint(0, 0));
    v.Scroll(40, 0);
    EXPECT_NEAR(v.ControlToBitmap(QPoint(0, 0)).x() - vor.x(), 2.0, 1e-9);
}

TEST_F(WindowTest, ApprovedInfringementsWithTheirColours) {
    TMDIChild w(nullptr, false);
    const int strona = w.PageControl->indexOf(w.zak_kontroli);
    w.kierowca->addItem(QStringLiteral("Kowalski Jan"), 7);
    w.kierowca->setCurrentIndex(0);
    w.data_tacho->setDate(QDate(2024, 3, 12));
    w.lista_naruszen();
    EXPECT_EQ(w.lista_bledow->toPlainText(),
              host::LoadResstrings(QStringLiteral("Resstrings_IDS_Brak_zatwierdzonych_naruszen")));
    EXPECT_FALSE(w.PageControl->tabText(strona).endsWith(QLatin1Char('!')));
    EXPECT_EQ(w.PageControl->tabBar()->tabTextColor(strona), QColor(0x3A, 0x3A, 0x3A));

    auto dodaj = [](int id_k, double data, int typ, QVariant ustawa, int zatwierdzone) {
        host::Query q(QStringLiteral(
            "insert into naruszenia (id_k, data, data_do, typ, ustawa, skroc_wydluz, "
            "zatwierdzone) values (:id_k, :data, :data_do, :typ, :ustawa, 6, :z)"));
        q.setParam(QStringLiteral("id_k"), id_k);
        q.setParam(QStringLiteral("data"), host::TDateTime(data));
        q.setParam(QStringLiteral("data_do"), host::TDateTime(data + 0.1));
        q.setParam(QStringLiteral("typ"), typ);
        q.setParam(QStringLiteral("ustawa"), ustawa);
        q.setParam(QStringLiteral("z"), zatwierdzone);
        q.exec();
    };
    const double dzien = host::TDateTime::encode(2024, 3, 12);
    dodaj(7, dzien + 0.3, 0, QVariant(), 1); // null rule: 561
    dodaj(7, dzien + 0.5, 1, 0, 1);          // AETR
    dodaj(7, dzien + 0.6, 4, 0, 0);          // not approved
    dodaj(7, dzien + 1.2, 0, 2, 1);          // the next day
    dodaj(8, dzien + 0.4, 0, 2, 1);          // another driver
    dodaj(7, dzien + 0.7, 2, 2, 1);          // a kind not listed
    w.lista_naruszen();
    const QStringList wiersze = w.lista_bledow->toPlainText().split(QChar::ParagraphSeparator);
    const QStringList linie = w.lista_bledow->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(linie.size(), 2) << w.lista_bledow->toPlainText().toStdString();
    EXPECT_TRUE(linie[0].contains(QStringLiteral("(561) "))) << linie[0].toStdString();
    EXPECT_TRUE(linie[0].contains(QStringLiteral("1:30"))) << linie[0].toStdString(); // 6 quarters
    EXPECT_TRUE(linie[0].contains(QStringLiteral("     2024-03-12 07:12 - 2024-03-12 09:36")))
        << linie[0].toStdString();
    EXPECT_FALSE(linie[1].contains(QStringLiteral("(561)")));
    EXPECT_TRUE(w.PageControl->tabText(strona).endsWith(QLatin1Char('!')));
    EXPECT_EQ(w.PageControl->tabBar()->tabTextColor(strona), QColor(0xC2, 0x01, 0x22));
    // The amount is red and bold, the rule blue.
    const QString html = w.lista_bledow->toHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("#c20122"), Qt::CaseInsensitive));
    EXPECT_TRUE(html.contains(QStringLiteral("#4b83df"), Qt::CaseInsensitive));
    EXPECT_TRUE(html.contains(QStringLiteral("#0d9430"), Qt::CaseInsensitive));
}

TEST_F(WindowTest, ResizeOfAnMdiChildTellsTheHost) {
    TMDIChild w(nullptr, true);
    TestHost::dostarcz();
    gospodarz->komunikaty.clear();
    w.resize(900, 600);
    w.show();
    w.resize(1000, 700);
    ASSERT_FALSE(gospodarz->komunikaty.empty());
    EXPECT_EQ(
        gospodarz->komunikaty.back(),
        (Komunikat{kx::kMsgRozmiar, reinterpret_cast<std::intptr_t>(static_cast<QWidget*>(&w))}));
    w.hide();
}

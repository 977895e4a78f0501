#include "host/Kontrolki.h"

#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpressionValidator>

namespace host {

void Pusc_tylko_cyfry(QLineEdit* edit) {
    static const QRegularExpression cyfry(QStringLiteral("[0-9]*"));
    edit->setValidator(new QRegularExpressionValidator(cyfry, edit));
}

bool CzyCanFocus(const QWidget* w) {
    return w && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

namespace {

// A padlock: body and shackle, the shackle lifted on one side when open.
QIcon klodka(bool zamknieta) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(90, 90, 90), 2));
    g.setBrush(Qt::NoBrush);
    if (zamknieta)
        g.drawArc(QRectF(4, 1, 8, 10), 0, 180 * 16);
    else
        g.drawArc(QRectF(7, 0, 8, 10), 0, 180 * 16);
    g.setPen(Qt::NoPen);
    g.setBrush(zamknieta ? QColor(200, 150, 30) : QColor(90, 160, 60));
    g.drawRoundedRect(QRectF(2, 7, 12, 8), 1.5, 1.5);
    return QIcon(p);
}

} // namespace

QIcon IkonaListy(const QString& lista, int indeks) {
    if (lista != QLatin1String("ilKorvixSmallButtons")) return {};
    // Drawn once: every window's status button shows the same two pictures.
    static const QIcon zamknieta = klodka(true), otwarta = klodka(false);
    if (indeks == 14) return zamknieta;
    if (indeks == 5) return otwarta;
    return {};
}

} // namespace host

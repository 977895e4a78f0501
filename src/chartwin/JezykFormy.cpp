#include "chartwin/JezykFormy.h"

#include "host/Resstrings.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

void InitializeLanguage(const QString& /*modul*/, QWidget* forma) {
    const QString prefix = forma->objectName() + QLatin1Char('.');
    auto tekst = [&](const QString& name) { return host::TekstFormy(prefix + name); };
    if (const QString t = tekst(forma->objectName()); !t.isEmpty()) forma->setWindowTitle(t);
    for (QWidget* w : forma->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty()) continue;
        if (const QString hint = tekst(name + QStringLiteral(".hint")); !hint.isEmpty())
            w->setToolTip(hint);
        const QString t = tekst(name);
        if (t.isEmpty()) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(t);
        else if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(t);
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            g->setTitle(t);
        if (auto* tabs = qobject_cast<QTabWidget*>(
                w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
            const int i = tabs->indexOf(w);
            if (i >= 0) tabs->setTabText(i, t);
        }
    }
    for (QAction* a : forma->findChildren<QAction*>()) {
        const QString t = tekst(a->objectName());
        if (!t.isEmpty()) a->setText(t);
    }
}

QColor kolor_okna(host::TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

#include "host/HostMessages.h"

#include <QCoreApplication>
#include <QPointer>

namespace host {

namespace {

QPointer<QObject>& mainForm() {
    static QPointer<QObject> form;
    return form;
}

} // namespace

QEvent::Type HostMessageEvent::eventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void SetMainForm(QObject* form) {
    mainForm() = form;
}

QObject* MainForm() {
    return mainForm().data();
}

void PostMessage(unsigned msg, std::intptr_t wParam, std::intptr_t lParam) {
    QObject* form = MainForm();
    if (!form) return;
    // The event loop owns and deletes a posted event.
    QCoreApplication::postEvent(form, new HostMessageEvent(msg, wParam, lParam));
}

std::intptr_t SendMessage(unsigned msg, std::intptr_t wParam, std::intptr_t lParam) {
    QObject* form = MainForm();
    if (!form) return 0;
    HostMessageEvent ev(msg, wParam, lParam);
    ev.setAccepted(false); // only a receiver that handles the message accepts it
    QCoreApplication::sendEvent(form, &ev);
    return ev.isAccepted() ? 1 : 0;
}

} // namespace host

#pragma once
// Windows-style messages to the host's main form, delivered as Qt events. Posted messages
// arrive after the current handler returns, sent ones are handled at once.

#include <QEvent>
#include <QObject>

#include <cstdint>

namespace host {

class HostMessageEvent : public QEvent {
public:
    static QEvent::Type eventType();
    HostMessageEvent(unsigned message, std::intptr_t w, std::intptr_t l)
        : QEvent(eventType()), msg(message), wParam(w), lParam(l) {}
    unsigned msg;
    std::intptr_t wParam;
    std::intptr_t lParam;
};

// The object that receives the messages (the host's main window); null drops them.
void SetMainForm(QObject* form);
QObject* MainForm();

void PostMessage(unsigned msg, std::intptr_t wParam, std::intptr_t lParam);
// Returns the receiver's answer (HostMessageEvent accepted = 1, else 0).
std::intptr_t SendMessage(unsigned msg, std::intptr_t wParam, std::intptr_t lParam);

} // namespace host

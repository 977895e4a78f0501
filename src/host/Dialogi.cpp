#include "host/Dialogi.h"

#include <QDialog>
#include <QtDebug>

namespace host {

namespace {

// The answer that changes nothing, for a dialog nobody can answer.
int passiveAnswer(int flags) {
    switch (flags & 0x0F) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL; // OK/Cancel, Yes/No/Cancel, Retry/Cancel ...
    }
}

// Without a window system (the command-line tool, batch runs) the texts go to the log.
class ConsoleDialogs : public DialogProvider {
public:
    int infoBox(const QString& text, int flags, QWidget*) override {
        const int answer = passiveAnswer(flags);
        qInfo("[dialog] %s -> %d", qPrintable(text), answer);
        return answer;
    }
    bool inputBox(const QString& title, QWidget*, QString&, int) override {
        qInfo("[input] %s -> cancelled", qPrintable(title));
        return false;
    }
    bool runForm(QDialog& form) override {
        qInfo("[form] %s -> cancelled", qPrintable(form.windowTitle()));
        return false;
    }
};

std::shared_ptr<DialogProvider>& provider() {
    static std::shared_ptr<DialogProvider> p;
    return p;
}

} // namespace

void ScriptedDialogs::pushInput(const QString& text, bool accepted) {
    inputs_.push_back({text, accepted});
}

int ScriptedDialogs::infoBox(const QString& text, int flags, QWidget*) {
    shown.push_back(text);
    lastFlags = flags;
    if (answers_.isEmpty()) {
        unexpected.push_back(text);
        return IDCANCEL;
    }
    return answers_.takeFirst();
}

bool ScriptedDialogs::inputBox(const QString& title, QWidget*, QString& text, int) {
    shown.push_back(title);
    if (inputs_.isEmpty()) {
        unexpected.push_back(title);
        return false;
    }
    const auto [answer, accepted] = inputs_.takeFirst();
    if (accepted) text = answer;
    return accepted;
}

bool DialogProvider::runForm(QDialog& form) {
    return form.exec() == QDialog::Accepted;
}

bool ScriptedDialogs::runForm(QDialog& form) {
    shown.push_back(form.windowTitle());
    if (forms_.isEmpty()) {
        unexpected.push_back(form.windowTitle());
        return false;
    }
    const bool accepted = forms_.takeFirst()(form);
    if (accepted)
        form.accept();
    else
        form.reject();
    return accepted;
}

void InstallDialogs(std::shared_ptr<DialogProvider> p) {
    provider() = std::move(p);
}

DialogProvider& CurrentDialogs() {
    auto& p = provider();
    if (!p) p = std::make_shared<ConsoleDialogs>();
    return *p;
}

int InfoBox(const QString& text, int flags, QWidget* owner) {
    return CurrentDialogs().infoBox(text, flags, owner);
}

QString InputBox(const QString& title, QWidget* owner, const QString& text, int mode) {
    QString answer = text;
    if (!CurrentDialogs().inputBox(title, owner, answer, mode)) return {};
    return answer;
}

void ShowMessage(const QString& text) {
    InfoBox(text, MB_OK);
}

bool RunForm(QDialog& form) {
    return CurrentDialogs().runForm(form);
}

} // namespace host

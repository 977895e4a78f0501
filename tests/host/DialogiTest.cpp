#include "host/Dialogi.h"
#include "host/HostMessages.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

using namespace host;

TEST(Dialogi, ScriptedAnswersInOrderAndUnexpectedOnesCancel) {
    auto s = std::make_shared<ScriptedDialogs>();
    InstallDialogs(s);
    s->pushAnswer(IDYES);
    s->pushAnswer(IDNO);
    s->pushInput(QStringLiteral("nowa_nazwa.pdf"));
    s->pushInput(QString(), false);

    EXPECT_EQ(InfoBox(QStringLiteral("pierwsze?"), 0x24), IDYES);
    EXPECT_EQ(s->lastFlags, 0x24);
    EXPECT_EQ(InfoBox(QStringLiteral("drugie?"), 0x23), IDNO);
    EXPECT_EQ(InputBox(QStringLiteral("Nazwa"), nullptr, QStringLiteral("stara.pdf")),
              QStringLiteral("nowa_nazwa.pdf"));
    EXPECT_EQ(InputBox(QStringLiteral("Nazwa"), nullptr, QStringLiteral("stara.pdf")), QString());
    EXPECT_TRUE(s->unexpected.isEmpty());

    EXPECT_EQ(InfoBox(QStringLiteral("trzecie?"), 0x23), IDCANCEL);
    ShowMessage(QStringLiteral("komunikat"));
    EXPECT_EQ(InputBox(QStringLiteral("Nazwa2"), nullptr, QStringLiteral("x")), QString());
    EXPECT_EQ(s->shown, (QStringList{"pierwsze?", "drugie?", "Nazwa", "Nazwa", "trzecie?",
                                     "komunikat", "Nazwa2"}));
    EXPECT_EQ(s->unexpected, (QStringList{"trzecie?", "komunikat", "Nazwa2"}));
    InstallDialogs(nullptr);
}

TEST(Dialogi, WithoutAWindowTheAnswerChangesNothing) {
    InstallDialogs(nullptr);
    const std::pair<int, int> cases[] = {
        {MB_OK, IDOK},
        {MB_ICONINFORMATION, IDOK},
        {MB_YESNO | MB_ICONQUESTION, IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL},
        {0x01, IDCANCEL}, // OK / Cancel
    };
    for (auto [flags, answer] : cases)
        EXPECT_EQ(InfoBox(QStringLiteral("?"), flags), answer) << flags;
    EXPECT_EQ(InputBox(QStringLiteral("Nazwa"), nullptr, QStringLiteral("x")), QString());
}

namespace {

class Receiver : public QObject {
public:
    std::vector<unsigned> got;
    bool event(QEvent* e) override {
        if (e->type() != HostMessageEvent::eventType()) return QObject::event(e);
        auto* m = static_cast<HostMessageEvent*>(e);
        got.push_back(m->msg);
        EXPECT_EQ(m->lParam, 0);
        if (m->msg == 0x999) return false; // not handled
        m->accept();
        return true;
    }
};

} // namespace

TEST(HostMessages, SentArriveAtOncePostedAfterTheHandlerReturns) {
    Receiver form;
    SetMainForm(&form);
    PostMessage(0x48E, 11, 0);
    EXPECT_EQ(SendMessage(0x490, 11, 0), 1);
    EXPECT_EQ(form.got, (std::vector<unsigned>{0x490}));
    PostMessage(0x491, 11, 0);
    QCoreApplication::sendPostedEvents(&form);
    EXPECT_EQ(form.got, (std::vector<unsigned>{0x490, 0x48E, 0x491}));
    EXPECT_EQ(SendMessage(0x999, 0, 0), 0);
    SetMainForm(nullptr);
}

TEST(HostMessages, NoOrGoneMainFormDropsMessages) {
    SetMainForm(nullptr);
    PostMessage(1, 0, 0);
    EXPECT_EQ(SendMessage(1, 0, 0), 0);
    {
        Receiver gone;
        SetMainForm(&gone);
        PostMessage(0x7EF, 0, 0); // still queued when the form goes away
    }
    EXPECT_EQ(MainForm(), nullptr);
    EXPECT_EQ(SendMessage(1, 0, 0), 0);
    QCoreApplication::sendPostedEvents();
}

#include "host/Dialogi.h"
#include "host/HostMessages.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

using namespace host;

TEST(Dialogi, WithoutAWindowTheAnswerChangesNothing) {
    InstallDialogs(nullptr);
    const std::pair<int, int> cases[] = {
        {MB_OK, IDOK},
        {MB_YESNO | MB_ICONQUESTION, IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL},
        {0x01, IDCANCEL}, // OK / Cancel
    };
    for (auto [flags, answer] : cases)
        EXPECT_EQ(InfoBox(QStringLiteral("?"), flags), answer) << flags;
}

namespace {

class Receiver : public QObject {
public:
    std::vector<unsigned> got;
    bool event(QEvent* e) override {
        if (e->type() != HostMessageEvent::eventType()) return QObject::event(e);
        auto* m = static_cast<HostMessageEvent*>(e);
        got.push_back(m->msg);
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
    QCoreApplication::sendPostedEvents(&form);
    EXPECT_EQ(form.got, (std::vector<unsigned>{0x490, 0x48E}));
    SetMainForm(nullptr);
}

#include "host/HostContext.h"

#include "host/Ustawienia.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>
#include <QtDebug>

namespace host {

namespace {

struct User {
    int id = 1;
    QString name;
    bool set = false;
};

User& user() {
    static User u;
    return u;
}

std::function<void()>& odswiezanieListy() {
    static std::function<void()> f;
    return f;
}

QString& dataFolderOverride() {
    static QString folder;
    return folder;
}

} // namespace

int AktIdU() {
    return user().id;
}

QString AktNazwiskoImieLoginU() {
    if (user().set) return user().name;
    QString login = qEnvironmentVariable("USER");
    if (login.isEmpty()) login = qEnvironmentVariable("LOGNAME");
    return login;
}

void SetAktUser(int id, const QString& name) {
    user().id = id;
    user().name = name;
    user().set = true;
}

QString GetCompName() {
    return QSysInfo::machineHostName();
}

void SetOdswiezanieListy(std::function<void()> odswiez) {
    odswiezanieListy() = std::move(odswiez);
}

void OdswiezListeTarczDni() {
    if (odswiezanieListy()) odswiezanieListy()();
}

QString DataFolder() {
    if (!dataFolderOverride().isEmpty()) return dataFolderOverride();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("tacho"));
}

QString DefaultDataFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("tacho"));
}

QString DatabaseFileIn(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("tacho.sqlite"));
}

void SetDataFolder(const QString& folder) {
    dataFolderOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString PobierzKatalogRoboczy(const QString& name) {
    const QString path = QDir::cleanPath(QDir(DataFolder()).filePath(LocalPath(name)));
    if (!QDir().mkpath(path)) {
        qWarning("PobierzKatalogRoboczy: cannot create %s", qPrintable(path));
        return {};
    }
    return path;
}

QString LocalPath(const QString& windowsStylePath) {
    QString p = windowsStylePath;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    static const QRegularExpression repeated(QStringLiteral("/{2,}"));
    p.replace(repeated, QStringLiteral("/"));
    return p;
}

bool get_analog_didital(bool analogowy, bool /*cyfrowy*/) {
    return analogowy && GetZm(QStringLiteral("tylko_cyfrowe"), QStringLiteral("ALL")).toBool();
}

} // namespace host

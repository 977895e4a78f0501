// tacho: the command-line tool. Each command lives in a file of its own; main only dispatches.

#include "CheckCommand.h"
#include "CommandLine.h"
#include "DbCommand.h"
#include "ReadCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>

namespace {

struct Command {
    const char* name;
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
    bool needsGui; // images and fonts need the GUI application; the database does not
    const char* usage;
};

const Command kCommands[] = {
    {"db", runDbCommand, false,
     "tacho db init|info [--data DIR] [--demo]   the data folder's database"},
    {"read", runReadCommand, true,
     "tacho read [options] IMAGE...               scanned charts to periods and kilometres"},
    {"check", runCheckCommand, false,
     "tacho check FILE [--lang pl|en]            rule check of a day as JSON"},
};

QString commandList() {
    QString s = QStringLiteral("Commands (tacho COMMAND --help tells more):");
    for (const Command& c : kCommands)
        s += QStringLiteral("\n  %1").arg(QLatin1String(c.usage));
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (argc > 1 && qstrcmp(argv[1], c.name) == 0) command = &c;
    std::unique_ptr<QCoreApplication> app;
    if (command && !command->needsGui) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("tacho"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TACHO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (command) return command->run(args.mid(1), out, err);

    cli::CommandLine cl(QStringLiteral("tacho"), QStringLiteral("tacho COMMAND [arguments]"),
                        QStringLiteral("Analogue tachograph charts without a window.\n\n") +
                            commandList());
    QCommandLineParser& p = cl.parser();
    cl.addVersion(QCoreApplication::applicationVersion());
    cl.addArguments(QStringLiteral("COMMAND"), QStringLiteral("db, read or check"), {});
    p.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (const auto done = cl.parse(args, out, err)) return *done;
    const QStringList rest = p.positionalArguments();
    if (rest.isEmpty()) return cl.error(QStringLiteral("a command is needed"), err);
    return cl.error(QStringLiteral("unknown command %1").arg(rest.first()), err);
}

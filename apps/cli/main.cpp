// tacho: the command-line tool. Each command lives in a file of its own; main only dispatches.

#include "CheckCommand.h"
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

void usage(QTextStream& s) {
    s << "usage: tacho COMMAND [arguments]\n";
    for (const Command& c : kCommands)
        s << "  " << c.usage << '\n';
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
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (command) return command->run(args.mid(1), out, err);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        usage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    err << "tacho: unknown command " << args[0] << '\n';
    usage(err);
    return 2;
}

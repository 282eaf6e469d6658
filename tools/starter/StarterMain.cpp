// Writes the starter catalogue into the directory named on the command line.
#include "data/Errors.h"
#include "data/StarterData.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: hoardly-starter DIRECTORY\n";
        return 2;
    }
    try {
        hoardly::writeStarterCatalogue(arguments[1]);
    } catch (const hoardly::StoreError& error) {
        err << error.text() << '\n';
        return 1;
    } catch (const hoardly::FileError& error) {
        err << error.text() << '\n';
        return 1;
    }
    return 0;
}

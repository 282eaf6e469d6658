// Runs one scramble pass over a catalogue until the test that started it kills it:
// code_pass_child DIRECTORY pause|write. "pause" stops half-way through the pauses, "write"
// half-way through the closing transaction; there it says so on its output and waits.
#include "data/TDM.h"
#include "security/CodeStorePass.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

void say(const char* what, int records) {
    std::printf("%s %d\n", what, records);
    std::fflush(stdout);
}

void waitForTheKill() {
    QThread::sleep(60);
    std::_Exit(3); // the test should have killed us long ago
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString directory = QString::fromLocal8Bit(argv[1]);
    const bool inWrite = QString::fromLocal8Bit(argv[2]) == u"write"_s;
    TDM tdm;
    tdm.setDirectoryOfClosed(directory);
    tdm.configTb().open();
    CodeStorePass pass(tdm, ScrambleDirection::Scramble);
    if (pass.prepare())
        return 4;
    const int half = pass.recordCount() / 2;
    QObject::connect(&pass, &CodeStorePass::advanced, [&](int records) {
        if (!inWrite && records == half) {
            say("paused", records);
            waitForTheKill();
        }
    });
    QObject::connect(&pass, &CodeStorePass::written, [&](int records) {
        if (inWrite && records == half) {
            say("written", records);
            waitForTheKill();
        }
    });
    QObject::connect(&pass, &CodeStorePass::finished, [] { QCoreApplication::exit(5); });
    pass.start();
    return QCoreApplication::exec();
}

// Writes the program's icon for the desktop into the directory named on the command line: a
// scalable SVG and PNGs of 48, 128 and 256 pixels, all from the drawing of the window icon.
#include "app/Artwork.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString kIconName = u"org.example.hoardly.Hoardly"_s;

bool writeSvg(const QString& path) {
    constexpr int size = 256;
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(u"Hoardly"_s);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    hoardly::paintProgramIcon(painter, size);
    return painter.end();
}

} // namespace

int main(int argc, char** argv) {
    // Pictures only: no window is shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: hoardly-icons DIRECTORY\n";
        return 2;
    }
    const QDir out(arguments[1]);
    if (!out.mkpath(u"."_s)) {
        err << "cannot make " << out.path() << '\n';
        return 1;
    }
    if (!writeSvg(out.filePath(kIconName + u".svg"_s))) {
        err << "cannot write the SVG icon in " << out.path() << '\n';
        return 1;
    }
    for (int size : {48, 128, 256}) {
        const QString path = out.filePath(u"%1-%2.png"_s.arg(kIconName).arg(size));
        if (!hoardly::programPixmap(size).save(path)) {
            err << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}

// Renders the program's icon, the about box's picture, into a hicolor icon tree:
//   ocai-icons OUTDIR SIZE...  ->  OUTDIR/<SIZE>x<SIZE>/apps/ocai-plot.png
// Build-time helper only; it is not installed.
#include "glyphs.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: ocai-icons OUTDIR SIZE...\n");
        return 2;
    }
    const QDir out(args.first());
    for (const QString &sizeText : args.mid(1)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 16 || size > 1024) {
            std::fprintf(stderr, "ocai-icons: bad size '%s'\n", qPrintable(sizeText));
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        QSaveFile file(out.filePath(folder + QStringLiteral("/ocai-plot.png")));
        const QImage image = glyphs::appIcon(size).pixmap(size, size).toImage();
        if (!out.mkpath(folder) || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") ||
            !file.commit()) {
            std::fprintf(stderr, "ocai-icons: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

// Renders the programs' icons (ocai-plot's is the about box's picture) into a hicolor tree:
//   ocai-icons OUTDIR SIZE...  ->  OUTDIR/<SIZE>x<SIZE>/apps/{ocai-plot,ocai-survey}.png
// Build-time helper only; it is not installed.
#include "glyphs.h"
#include "survey_icon.h"

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
        const std::pair<const char *, QIcon> icons[] = {{"ocai-plot", glyphs::appIcon(size)},
                                                        {"ocai-survey", surveyicon::icon(size)}};
        for (const auto &[name, icon] : icons) {
            QSaveFile file(
                out.filePath(folder + QStringLiteral("/%1.png").arg(QLatin1String(name))));
            const QImage image = icon.pixmap(size, size).toImage();
            if (!out.mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
                !image.save(&file, "PNG") || !file.commit()) {
                std::fprintf(stderr, "ocai-icons: cannot write %s\n", qPrintable(file.fileName()));
                return 1;
            }
        }
    }
    return 0;
}

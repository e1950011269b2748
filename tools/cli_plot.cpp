// ocai-cli plot a: the profile diagram drawn as the window draws it, saved as PNG.
#include "cli_common.h"
#include "colour_for_index.h"
#include "core/number_format.h"
#include "plot_a.h"

#include <QDir>
#include <QMap>
#include <QSaveFile>

namespace cli {
namespace {

const char kPlotUsage[] = "usage: ocai-cli plot a --scores \"cA,cB,cC,cD;pA,pB,pC,pD\" "
                          "[--current-colour N] [--preferred-colour N] --out FILE.png";

// The window's image control.
const QSize kPlotASize(686, 672);

const QStringList kValueOptions = {QStringLiteral("--scores"), QStringLiteral("--current-colour"),
                                   QStringLiteral("--preferred-colour"), QStringLiteral("--out")};

// "--name value" or "--name=value" pairs; an error text when something else turns up.
QString parseOptions(const QStringList &args, QMap<QString, QString> &options)
{
    for (int i = 0; i < args.size(); ++i) {
        QString name = args[i], value;
        const int equals = name.indexOf(QLatin1Char('='));
        const bool inlineValue = name.startsWith(QLatin1String("--")) && equals > 0;
        if (inlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (!kValueOptions.contains(name))
            return QStringLiteral("plot a: unknown option '%1'").arg(args[i]);
        if (options.contains(name))
            return QStringLiteral("plot a: %1 given twice").arg(name);
        if (!inlineValue) {
            if (i + 1 >= args.size())
                return QStringLiteral("plot a: %1 needs a value").arg(name);
            value = args[++i];
        }
        options.insert(name, value);
    }
    return QString();
}

} // namespace

int runPlot(const QStringList &args)
{
    if (args.isEmpty())
        return usageError(QLatin1String(kPlotUsage));
    if (args[0] != QLatin1String("a"))
        return usageError(QStringLiteral("plot: unknown plot '%1' (only 'a'); %2")
                              .arg(args[0], QLatin1String(kPlotUsage)));
    QMap<QString, QString> options;
    if (const QString error = parseOptions(args.mid(1), options); !error.isEmpty())
        return usageError(error);
    if (!options.contains(QStringLiteral("--scores")) || !options.contains(QStringLiteral("--out")))
        return usageError(QLatin1String(kPlotUsage));
    const QString out = options.value(QStringLiteral("--out"));
    if (out.isEmpty())
        return usageError(QStringLiteral("plot a: --out needs a file name"));

    int colourIndex[2] = {1, 3}; // the choosers' selection after start-up: red, blue
    const QString colourOptions[2] = {QStringLiteral("--current-colour"),
                                      QStringLiteral("--preferred-colour")};
    for (int k = 0; k < 2; ++k) {
        if (!options.contains(colourOptions[k]))
            continue;
        const auto index = numfmt::parseInt32(options.value(colourOptions[k]));
        if (!index)
            return usageError(QStringLiteral("plot a: %1 needs a whole number, not '%2'")
                                  .arg(colourOptions[k], options.value(colourOptions[k])));
        colourIndex[k] = *index;
    }

    const QStringList halves = options.value(QStringLiteral("--scores")).split(QLatin1Char(';'));
    QStringList texts;
    for (const QString &half : halves)
        texts += half.split(QLatin1Char(','));
    if (halves.size() != 2 || texts.size() != 8)
        return usageError(QStringLiteral("plot a: --scores needs four current and four "
                                         "preferred scores, as \"cA,cB,cC,cD;pA,pB,pC,pD\""));

    // The scores go into the fields as a load writes them, and are drawn from there.
    const QChar separator = numfmt::localeDecimalSeparator();
    plots::PlotAFields fields;
    for (int i = 0; i < 8; ++i) {
        const auto value = numfmt::parseFloat(texts[i].trimmed(), QLatin1Char('.'));
        if (!value)
            return dataError(QStringLiteral("plot a: score %1 ('%2') is not a number")
                                 .arg(QString::number(i + 1), texts[i]));
        QString &field =
            i < 4 ? fields.current[std::size_t(i)] : fields.preferred[std::size_t(i - 4)];
        field = numfmt::formatFixed(*value, 5, 2, separator);
    }

    survey::ProfileScores scores{};
    bool drawn = false;
    const QImage canvas =
        plots::renderPlotA(kPlotASize, fields, plots::ColorForIndex(colourIndex[0]),
                           plots::ColorForIndex(colourIndex[1]), separator, scores, &drawn);
    if (!drawn)
        return dataError(QStringLiteral("plot a: the scores do not read back as numbers"));

    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !canvas.save(&file, "PNG") || !file.commit())
        return dataError(QStringLiteral("cannot write '%1': %2")
                             .arg(QDir::toNativeSeparators(out), file.errorString()));
    return kExitOk;
}

} // namespace cli

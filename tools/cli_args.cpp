#include "tools/cli_args.h"

#include "core/number_format.h"

#include <QFileInfo>

namespace cli {

bool hasSuffix(const QString &out, const QString &suffix)
{
    return QFileInfo(out).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

std::variant<documents::PictureFormat, QString> pictureFormatFor(const QString &command,
                                                                 const QString &out)
{
    if (out.isEmpty())
        return QStringLiteral("%1: после --out нужно имя файла").arg(command);
    if (hasSuffix(out, QStringLiteral("png")))
        return documents::PictureFormat::Png;
    if (hasSuffix(out, QStringLiteral("gif")))
        return documents::PictureFormat::Gif;
    const QString suffix = QFileInfo(out).suffix();
    if (suffix.isEmpty())
        return QStringLiteral("%1: у --out '%2' нет расширения; записываются .png и .gif")
            .arg(command, out);
    return QStringLiteral("%1: --out '%2': расширение '.%3' не записывается, только .png и "
                          ".gif")
        .arg(command, out, suffix);
}

std::variant<PictureOptions, QString> readPictureOptions(const ParsedArgs &args)
{
    PictureOptions picture;
    picture.out = args.value("out");
    const auto format = pictureFormatFor(args.command(), picture.out);
    if (const auto *error = std::get_if<QString>(&format))
        return *error;
    picture.format = std::get<documents::PictureFormat>(format);
    // The parser let only 0 to 4 through.
    picture.currentColour =
        numfmt::parseInt32(args.value("current-colour")).value_or(picture.currentColour);
    picture.preferredColour =
        numfmt::parseInt32(args.value("preferred-colour")).value_or(picture.preferredColour);
    return picture;
}

} // namespace cli

#include "fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace ui {

namespace {

// The families the documents and pictures are drawn in.
const QStringList kDocumentFamilies{QStringLiteral("Liberation Sans"),
                                    QStringLiteral("Liberation Serif"),
                                    QStringLiteral("DejaVu Sans")};

} // namespace

// Only where the system lacks one of them: the system's own are kept.
void addProgramFonts()
{
    const QStringList installed = QFontDatabase::families();
    if (std::all_of(kDocumentFamilies.begin(), kDocumentFamilies.end(),
                    [&installed](const QString &family) { return installed.contains(family); }))
        return;
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    const QStringList files = fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        QFontDatabase::addApplicationFont(fonts.filePath(file));
}

void installFontSubstitutions()
{
    // A substitute is drawn only where the designed font is missing: on Windows, in ocai-cli's
    // off-screen drawing, which reads only the TrueType fonts of one folder ("MS Sans Serif" is
    // a bitmap font there, drawn by Windows itself as its TrueType successor).
#ifdef Q_OS_WIN
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                              QStringLiteral("Microsoft Sans Serif"));
#endif
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
}

QString missingGlyphs(const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    QString missing;
    QSet<char32_t> seen;
    for (const char32_t c : text.toUcs4()) {
        // An inline picture stands in the text as the object replacement character.
        if (!QChar::isPrint(c) || QChar::isSpace(c) || c == QChar::ObjectReplacementCharacter ||
            seen.contains(c))
            continue;
        seen.insert(c);
        if (!metrics.inFontUcs4(c))
            missing += QString::fromUcs4(&c, 1);
    }
    return missing;
}

QString fontProblem(const QFont &font, const QString &text)
{
    const QString missing = missingGlyphs(font, text);
    if (missing.isEmpty())
        return {};
    const QString drawn = QFontInfo(font).family();
    const QString which =
        drawn.isEmpty() || drawn == font.family()
            ? QStringLiteral("в шрифте «%1»").arg(font.family())
            : QStringLiteral("шрифта «%1» нет, а в шрифте «%2»").arg(font.family(), drawn);
    return QStringLiteral("%1 нет знаков «%2» его текста. Нужны шрифты Liberation и DejaVu: в "
                          "папке fonts рядом с программой или установленные в системе.")
        .arg(which, missing.left(20));
}

} // namespace ui

#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace ui {

void installFontSubstitutions()
{
#ifdef Q_OS_WIN
    // A bitmap font, which the off-screen drawing of ocai-cli cannot read from the fonts
    // folder; Windows itself draws it as its TrueType successor.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                              QStringLiteral("Microsoft Sans Serif"));
#else
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
#endif
}

} // namespace ui

#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace ui {

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

} // namespace ui

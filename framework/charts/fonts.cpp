#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace ui {

void installFontSubstitutions()
{
#ifndef Q_OS_WIN
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
#endif
}

} // namespace ui

#include "About.h"

#include "PlotOCAI.h"
#include "form_fonts.h"
#include "glyphs.h"
#include "widgets/menu_entry.h"

#include <QAction>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox::TAboutBox(TForm1 *form)
    : QDialog(form, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint),
      m_form(form)
{
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(glyphs::appIcon());
    setFont(formfonts::font(formfonts::kSans, 11));
    setFixedSize(298, 225);
    setModal(false);

    // A lowered outer bevel around a raised inner one.
    Panel2 = new QFrame(this);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(1);
    Panel2->setGeometry(8, 8, 281, 185);
    auto *innerBevel = new QFrame(Panel2);
    innerBevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    innerBevel->setLineWidth(1);
    innerBevel->setGeometry(1, 1, 279, 183);

    AppIcon = new QLabel(Panel2);
    AppIcon->setGeometry(12, 8, 32, 32);
    AppIcon->setPixmap(glyphs::appIcon(32).pixmap(32, 32));

    WebLabel = new QLabel(QStringLiteral("VILT-OCAI Plot"), Panel2);
    WebLabel->setGeometry(56, 10, 185, 15);
    WebLabel->setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    WebLabel->setFont(bold);
    auto *shadow = new QGraphicsDropShadowEffect(WebLabel);
    shadow->setOffset(1, 1);
    shadow->setBlurRadius(0);
    shadow->setColor(Qt::gray);
    WebLabel->setGraphicsEffect(shadow);

    auto *Label3 =
        new QLabel(QStringLiteral("Построение профиля\nорганизационной культуры."), Panel2);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->move(69, 26);
    Label3->adjustSize();

    auto *Label1 = new QLabel(QStringLiteral(" Version 3.01"), Panel2);
    Label1->move(13, 76);
    Label1->adjustSize();

    auto *line = new QFrame(Panel2);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(5, 120, 271, 2);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(111, 196, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::showCentred()
{
    if (!isVisible()) {
        if (const QScreen *screen = m_form->screen())
            move(screen->geometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void TAboutBox::OKButtonClick()
{
    hide();
    m_form->mmOpen->setVisible(true);
    m_form->mmGroup->setVisible(true);
}

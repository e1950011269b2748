// Start-up, shut-down and the system menu of the main window.
#include "PlotOCAI.h"

#include "About.h"
#include "form_fonts.h"
#include "form_texts.h"
#include "plots/start_colours.h"
#include "survey/unit_pc1.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"
#include "widgets/text_buffer.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

int tagOf(const QObject *object)
{
    return object->property("tag").toInt();
}

void setTag(QObject *object, int tag)
{
    object->setProperty("tag", tag);
}

int colourIndex(const QComboBox *chooser)
{
    // A text typed over the list selects the item it names exactly, or none.
    return chooser->findText(chooser->currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
}

TForm1::TForm1(shell::DesktopShell &shell, QWidget *parent) : QMainWindow(parent), m_shell(shell)
{
    setWindowTitle(formtexts::kWindowCaption);
    setFont(formfonts::font(formfonts::kSans, 11));
    createControls();
    connect(cbABCD1col, &QComboBox::activated, this, &TForm1::cbABCD1colChange);
    connect(cbABCD2col, &QComboBox::activated, this, &TForm1::cbABCD2colChange);
    // Typing over a chooser's text changes the colour as choosing from its list does.
    connect(cbABCD1col->lineEdit(), &QLineEdit::textEdited, this, &TForm1::cbABCD1colChange);
    connect(cbABCD2col->lineEdit(), &QLineEdit::textEdited, this, &TForm1::cbABCD2colChange);
    FormCreate();
}

TForm1::~TForm1()
{
    if (!m_closed)
        FormClose(); // a window destroyed without closing still gives the desktop back
}

std::array<ui::BarChart *, 6> TForm1::questionCharts() const
{
    return {Chart1, Chart2, Chart3, Chart4, Chart5, Chart6};
}

void TForm1::FormCreate()
{
    ProgramDir =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    cbABCD1col->setCurrentIndex(plots::kStartCurrentColour);
    cbABCD2col->setCurrentIndex(plots::kStartPreferredColour);
    ceInfo->clear();
    sbShotInstr->setPanelText(formtexts::kStatusStart);
    for (int i = 1; i <= 4; ++i)
        CurrentScoreFields[i - 1] = createScoreField(132, 48 * i + 13);
    for (int i = 1; i <= 4; ++i)
        PreferredScoreFields[i - 1] = createScoreField(236, 48 * i + 13);
    for (survey::AnswerRow &row : AnswerTable)
        row.fill(0);

    m_shell.appendSystemMenuEntry(this, formtexts::kAboutCommand, formtexts::kAboutEntry);
    m_shell.setSystemCommandHandler(this, [this](quintptr wParam) { WMSysCommand(wParam); });

    if (m_shell.hasTaskbar()) {
        // Remember the user's work area, so that closing gives it back.
        m_savedWorkArea = m_shell.workArea();
        m_shell.hideTaskbar();
        const QSize screen = m_shell.screenSize();
        m_shell.setWorkArea({0, 0, screen.width(), screen.height()});
    }

    textBuffer = new ui::TextBuffer(this);
    textBuffer->resize(2000, textBuffer->height());
    keyHolder = new QLabel(survey::programKeyText(), this);
    keyHolder->hide();

    mmOpen->setVisible(false);
}

QLineEdit *TForm1::createScoreField(int left, int top)
{
    auto *field = new QLineEdit(paData);
    field->setFont(formfonts::font(formfonts::kSans, 19));
    QPalette pal = field->palette();
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    field->setPalette(pal);
    field->setAlignment(Qt::AlignCenter);
    field->setFrame(true);
    field->setReadOnly(true);
    field->setGeometry(left, top, 81, 28);
    field->setText(QStringLiteral("0"));
    field->show();
    return field;
}

void TForm1::FormClose()
{
    m_closed = true;
    if (m_shell.hasTaskbar()) {
        m_shell.showTaskbar();
        if (m_savedWorkArea)
            m_shell.setWorkArea(*m_savedWorkArea);
    }
    delete textBuffer;
    textBuffer = nullptr;
    delete keyHolder;
    keyHolder = nullptr;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_closed)
        FormClose();
    event->accept();
}

bool TForm1::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    m_shell.windowMessage(this, eventType, message);
    return QMainWindow::nativeEvent(eventType, message, result);
}

void TForm1::WMSysCommand(quintptr wParam)
{
    if (wParam == formtexts::kAboutCommand && m_aboutBox)
        m_aboutBox->showCentred();
}

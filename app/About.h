#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TForm1;

// The modeless about box: created hidden at start, shown from the system menu; its OK
// reveals the loading commands of the main window.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(TForm1 *form);

    // Shows the box at the centre of the screen; while it is open it only comes forward.
    void showCentred();
    void OKButtonClick();

    QPushButton *OKButton = nullptr;
    QFrame *Panel2 = nullptr;
    QLabel *AppIcon = nullptr;
    QLabel *WebLabel = nullptr;

private:
    TForm1 *m_form;
};

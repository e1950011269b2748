#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The last screen: thanks, the file written, and the way to the next respondent.
class FinishPage : public QWidget {
    Q_OBJECT
public:
    explicit FinishPage(QWidget *parent = nullptr);

    void showWritten(const QString &path);

    QPushButton *nextRespondent;

private:
    QLabel *m_file;
};

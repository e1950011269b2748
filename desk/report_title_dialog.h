#pragma once

#include "desk/documents.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace desk {

// Asks for the organisation and the caption of a survey's documents, the smallest group they
// show and whether the workbook carries the respondents' own line.
class ReportTitleDialog : public QDialog {
    Q_OBJECT
public:
    ReportTitleDialog(const ReportTitle &title, QWidget *parent = nullptr);
    ReportTitle title() const;

private:
    QLineEdit *m_organisation;
    QLineEdit *m_caption;
    QSpinBox *m_minGroup;
    QCheckBox *m_freeText;
};

// The survey's document settings as last given (kept per survey in the desk's settings), or
// nothing when never asked.
std::optional<ReportTitle> rememberedTitle(const QString &surveyFolder);
void rememberTitle(const QString &surveyFolder, const ReportTitle &title);

} // namespace desk

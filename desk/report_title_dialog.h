#pragma once

#include "documents.h"

#include <QDialog>

class QLineEdit;

namespace desk {

// Asks for the organisation and the caption of a survey's reports.
class ReportTitleDialog : public QDialog {
    Q_OBJECT
public:
    ReportTitleDialog(const ReportTitle &title, QWidget *parent = nullptr);
    ReportTitle title() const;

private:
    QLineEdit *m_organisation;
    QLineEdit *m_caption;
};

// The survey's report title as last given, or nothing when never asked.
std::optional<ReportTitle> rememberedTitle(const QString &surveyFolder);
void rememberTitle(const QString &surveyFolder, const ReportTitle &title);

} // namespace desk

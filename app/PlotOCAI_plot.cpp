// The Plot A command, its drawing routine and the colour choosers.
#include "PlotOCAI.h"

#include "core/number_format.h"
#include "form_texts.h"
#include "plots/colour_for_index.h"
#include "plots/plot_a.h"
#include "widgets/dialogs.h"
#include "widgets/image_canvas.h"
#include "widgets/menu_entry.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

plots::PlotAFields scoreFieldTexts(const TForm1 &form)
{
    plots::PlotAFields fields;
    for (int k = 0; k < 4; ++k) {
        fields.current[k] = form.CurrentScoreFields[k]->text();
        fields.preferred[k] = form.PreferredScoreFields[k]->text();
    }
    return fields;
}

QString fieldText(const plots::PlotAFields &fields, int index)
{
    return index < 4 ? fields.current[index] : fields.preferred[index - 4];
}

} // namespace

void TForm1::mmGPlotClick()
{
    const plots::PlotAFields fields = scoreFieldTexts(*this);
    if (std::holds_alternative<survey::ProfileScores>(
            plots::parseScoreFields(fields, numfmt::localeDecimalSeparator()))) {
        paPlot->hide();
        imPlot->show();
        SavePlot1->setEntryEnabled(true);
        btPlotClick();
    } else {
        sbShotInstr->setPanelText(formtexts::kStatusBadScore);
    }
    laPlot->setText(QStringLiteral("A"));
    laPlot->show();
    SavePlot1->setIcon(mmGPlot->icon());
    SavePlot1->setText(QStringLiteral("Plot A"));
}

void TForm1::btPlotClick()
{
    const plots::PlotAFields fields = scoreFieldTexts(*this);
    const QChar separator = numfmt::localeDecimalSeparator();
    const bool drawn =
        plots::drawPlotA(imPlot->canvas(), fields, plots::ColorForIndex(colourIndex(cbABCD1col)),
                         plots::ColorForIndex(colourIndex(cbABCD2col)), separator, ProfileScores);
    imPlot->update();
    if (!drawn) {
        const int bad = std::get<int>(plots::parseScoreFields(fields, separator));
        showError(formtexts::kNotAFloat.arg(fieldText(fields, bad)));
        return;
    }
    mmQPlot->setEntryEnabled(true);
    mmGPlot->setEntryEnabled(false);
}

void TForm1::cbABCD1colChange()
{
    // Plot A is on show while "Plot B" is enabled; otherwise the question charts are
    // rebuilt in the new colours. The difference chart keeps the colours it was filled with.
    if (mmQPlot->isEntryEnabled())
        btPlotClick();
    else
        mmQPlotClick();
}

void TForm1::cbABCD2colChange()
{
    cbABCD1colChange();
}

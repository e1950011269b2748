#include "documents/xlsx_respondents.h"

#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "documents/xlsx_text.h"
#include "survey/resource.h"

namespace documents {

const QString kRespondentsSheet = QStringLiteral("Респонденты");
const QString kAnswersSheet = QStringLiteral("Ответы");

namespace {

// Columns of the respondents' sheet: the argument, the file and its texts, then the scores.
constexpr int kFirstTextColumn = 2;
constexpr int kFirstScoreColumn = kFirstTextColumn + int(kRespondentTextLines.size());
constexpr int kRespondentColumns = kFirstScoreColumn + 2 * survey::kTypeCount;
// The date, start and duration lines among the texts.
constexpr int kDateText = 2, kStartText = 3, kDurationText = 4;
// Text columns grow with their longest text up to this width, so that a page holds the row.
constexpr int kMaxColumnWidth = 36;
constexpr int kScoreWidth = 11;

// Columns of the answers' sheet: the respondent, state and question, points A-D, time.
constexpr int kFirstPointColumn = 5;
constexpr int kTimeColumn = kFirstPointColumn + survey::kTypeCount;

// Each column at least as wide as `least`, and as its longest text needs within
// kMaxColumnWidth: the argument, the file name and the first `texts` texts of a respondent.
std::vector<double> textWidths(const std::vector<ExportGroup> &groups,
                               const std::vector<double> &least, int texts)
{
    std::vector<double> widths = least;
    const auto widen = [&widths](int column, const QString &text) {
        widths[std::size_t(column)] = std::max(widths[std::size_t(column)],
                                               std::min(text.size() + 2.0, 1.0 * kMaxColumnWidth));
    };
    for (const ExportGroup &group : groups) {
        for (const RespondentRow &row : group.respondents) {
            widen(0, group.path);
            widen(1, row.fileName);
            for (int i = 0; i < texts; ++i)
                widen(kFirstTextColumn + i, row.texts[std::size_t(i)]);
        }
    }
    return widths;
}

// A sheet with a header row that stays in view, heads every printed page and filters.
void startTable(SheetWriter &sheet, const Formats &formats, const QStringList &header,
                const std::vector<double> &widths)
{
    for (int column = 0; column < header.size(); ++column)
        sheet.setWidth(column, column, widths[std::size_t(column)]);
    sheet.header(0, header, formats.header);
    sheet.freezeHeader();
    sheet.printOneWide(true);
}

// A date or time line as a date or time cell when it reads as one, else as the text it is.
void writeTime(SheetWriter &sheet, int row, int column, const QString &text,
               const std::optional<double> &value, lxw_format *format)
{
    if (value)
        sheet.number(row, column, *value, format);
    else
        sheet.text(row, column, text);
}

void writeRespondents(lxw_workbook *workbook, const Formats &formats,
                      const std::vector<ExportGroup> &groups, SheetStatus &status)
{
    SheetWriter sheet(workbook, kRespondentsSheet, status);
    QStringList header{QStringLiteral("Папка"),     QStringLiteral("Файл"),
                       QStringLiteral("Код"),       QStringLiteral("Текст"),
                       QStringLiteral("Дата"),      QStringLiteral("Начало"),
                       QStringLiteral("Выполнение")};
    std::vector<double> least{8, 8, 8, 8, 11, 10, 12};
    for (int state = 0; state < 2; ++state)
        for (int type = 0; type < survey::kTypeCount; ++type) {
            header << documents::stateCaption(state) + QStringLiteral(": ") +
                          documents::typeLabel(type);
            least.push_back(kScoreWidth);
        }
    startTable(sheet, formats, header, textWidths(groups, least, kDateText));
    int row = 0;
    for (const ExportGroup &group : groups) {
        for (const RespondentRow &respondent : group.respondents) {
            ++row;
            sheet.text(row, 0, group.path);
            sheet.text(row, 1, respondent.fileName);
            const auto &texts = respondent.texts;
            for (int i = 0; i < kDateText; ++i)
                sheet.text(row, kFirstTextColumn + i, texts[std::size_t(i)]);
            writeTime(sheet, row, kFirstTextColumn + kDateText, texts[kDateText],
                      spreadsheetDate(texts[kDateText]), formats.date);
            writeTime(sheet, row, kFirstTextColumn + kStartText, texts[kStartText],
                      spreadsheetTime(texts[kStartText], true), formats.clock);
            writeTime(sheet, row, kFirstTextColumn + kDurationText, texts[kDurationText],
                      spreadsheetTime(texts[kDurationText], false), formats.duration);
            for (std::size_t k = 0; k < respondent.scores.size(); ++k)
                sheet.number(row, kFirstScoreColumn + int(k), respondent.scores[k], formats.score);
        }
    }
    sheet.autofilter(row, kRespondentColumns - 1);
}

void writeAnswers(lxw_workbook *workbook, const Formats &formats,
                  const std::vector<ExportGroup> &groups, SheetStatus &status)
{
    SheetWriter sheet(workbook, kAnswersSheet, status);
    QStringList header{QStringLiteral("Папка"), QStringLiteral("Файл"), QStringLiteral("Код"),
                       QStringLiteral("Состояние"), QStringLiteral("Вопрос")};
    for (int type = 0; type < survey::kTypeCount; ++type)
        header << documents::typeLabel(type);
    header << QStringLiteral("Время");
    startTable(sheet, formats, header,
               textWidths(groups, {8, 8, 8, 11, 40, 14, 14, 14, 14, 10}, 1));
    int row = 0;
    for (const ExportGroup &group : groups) {
        for (const RespondentRow &respondent : group.respondents) {
            for (int answer = 0; answer < survey::kAnswerRows; ++answer) {
                ++row;
                const survey::AnswerRow &line = respondent.answers[std::size_t(answer)];
                sheet.text(row, 0, group.path);
                sheet.text(row, 1, respondent.fileName);
                sheet.text(row, 2, respondent.texts[0]);
                sheet.text(row, 3, documents::stateCaption(answer / survey::kQuestionCount));
                sheet.text(row, 4,
                           survey::QuestionTitles[std::size_t(answer % survey::kQuestionCount)]);
                for (int type = 0; type < survey::kTypeCount; ++type)
                    sheet.number(row, kFirstPointColumn + type, line[std::size_t(type)]);
                sheet.number(row, kTimeColumn, line[survey::kTimeColumn] / 86400, formats.duration);
            }
        }
    }
    sheet.autofilter(row, kTimeColumn);
}

} // namespace

void writeRespondentSheets(lxw_workbook *workbook, const Formats &formats,
                           const std::vector<ExportGroup> &groups, SheetStatus &status)
{
    writeRespondents(workbook, formats, groups, status);
    writeAnswers(workbook, formats, groups, status);
}

} // namespace documents

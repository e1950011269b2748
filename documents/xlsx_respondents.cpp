#include "documents/xlsx_respondents.h"

#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "documents/xlsx_text.h"
#include "survey/resource.h"

namespace documents {

const QString kRespondentsSheet = QStringLiteral("Респонденты");
const QString kAnswersSheet = QStringLiteral("Ответы");

namespace {

using Groups = std::vector<const ExportGroup *>;

// The date, start and duration lines among the texts; the free text is the one before them.
constexpr int kFreeText = 1, kDateText = 2, kStartText = 3, kDurationText = 4;
// Text columns grow with their longest text up to this width, so that a page holds the row.
constexpr int kMaxColumnWidth = 36;
constexpr int kScoreWidth = 11;

// The texts a respondent's row shows: the free text only when asked.
std::vector<int> shownTexts(bool freeText)
{
    std::vector<int> texts;
    for (int i = 0; i < int(kRespondentTextLines.size()); ++i)
        if (freeText || i != kFreeText)
            texts.push_back(i);
    return texts;
}

// Each column at least as wide as `least`, and as its longest text needs within
// kMaxColumnWidth: the group, the file name and the respondent's `texts` from column 2 on.
std::vector<double> textWidths(const Groups &groups, const std::vector<double> &least,
                               const std::vector<int> &texts)
{
    std::vector<double> widths = least;
    const auto widen = [&widths](int column, const QString &text) {
        widths[std::size_t(column)] = std::max(widths[std::size_t(column)],
                                               std::min(text.size() + 2.0, 1.0 * kMaxColumnWidth));
    };
    for (const ExportGroup *group : groups) {
        for (const RespondentRow &row : group->respondents) {
            widen(0, group->name);
            widen(1, row.fileName);
            for (std::size_t i = 0; i < texts.size(); ++i)
                if (texts[i] < kDateText)
                    widen(2 + int(i), row.texts[std::size_t(texts[i])]);
        }
    }
    return widths;
}

// A sheet under the workbook's head with a header row that stays in view, heads every
// printed page and filters; the header's row.
int startTable(SheetWriter &sheet, const Formats &formats, const SheetHead &head,
               const QStringList &header, const std::vector<double> &widths)
{
    for (int column = 0; column < header.size(); ++column)
        sheet.setWidth(column, column, widths[std::size_t(column)]);
    const int row = sheet.head(head, formats);
    sheet.header(row, header, formats.header);
    sheet.freezeHeader(row);
    sheet.printOneWide(true);
    return row;
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

void writeRespondents(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                      const Groups &groups, bool freeText, SheetStatus &status)
{
    SheetWriter sheet(workbook, kRespondentsSheet, status);
    const std::vector<int> texts = shownTexts(freeText);
    const QStringList textCaptions{QStringLiteral("Код"), QStringLiteral("Текст"),
                                   QStringLiteral("Дата"), QStringLiteral("Начало"),
                                   QStringLiteral("Выполнение")};
    const double textLeast[] = {8, 8, 11, 10, 12};
    QStringList header{QStringLiteral("Группа"), QStringLiteral("Файл")};
    std::vector<double> least{8, 8};
    for (int text : texts) {
        header << textCaptions[text];
        least.push_back(textLeast[text]);
    }
    const int firstScore = header.size();
    for (int state = 0; state < 2; ++state)
        for (int type = 0; type < survey::kTypeCount; ++type) {
            header << documents::stateCaption(state) + QStringLiteral(": ") +
                          documents::typeLabel(type);
            least.push_back(kScoreWidth);
        }
    const int top = startTable(sheet, formats, head, header, textWidths(groups, least, texts));
    int row = top;
    for (const ExportGroup *group : groups) {
        for (const RespondentRow &respondent : group->respondents) {
            ++row;
            sheet.text(row, 0, group->name);
            sheet.text(row, 1, respondent.fileName);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const int column = 2 + int(i);
                const QString &text = respondent.texts[std::size_t(texts[i])];
                switch (texts[i]) {
                case kDateText:
                    writeTime(sheet, row, column, text, spreadsheetDate(text), formats.date);
                    break;
                case kStartText:
                    writeTime(sheet, row, column, text, spreadsheetTime(text, true), formats.clock);
                    break;
                case kDurationText:
                    writeTime(sheet, row, column, text, spreadsheetTime(text, false),
                              formats.duration);
                    break;
                default:
                    sheet.text(row, column, text);
                }
            }
            for (std::size_t k = 0; k < respondent.scores.size(); ++k)
                sheet.number(row, firstScore + int(k), respondent.scores[k], formats.score);
        }
    }
    sheet.autofilter(top, row, header.size() - 1);
}

void writeAnswers(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                  const Groups &groups, SheetStatus &status)
{
    SheetWriter sheet(workbook, kAnswersSheet, status);
    QStringList header{QStringLiteral("Группа"), QStringLiteral("Файл"), QStringLiteral("Код"),
                       QStringLiteral("Состояние"), QStringLiteral("Вопрос")};
    for (int type = 0; type < survey::kTypeCount; ++type)
        header << documents::typeLabel(type);
    header << QStringLiteral("Время");
    const int firstPoint = 5, time = firstPoint + survey::kTypeCount;
    const int top = startTable(sheet, formats, head, header,
                               textWidths(groups, {8, 8, 8, 11, 40, 14, 14, 14, 14, 10}, {0}));
    int row = top;
    for (const ExportGroup *group : groups) {
        for (const RespondentRow &respondent : group->respondents) {
            for (int answer = 0; answer < survey::kAnswerRows; ++answer) {
                ++row;
                const survey::AnswerRow &line = respondent.answers[std::size_t(answer)];
                sheet.text(row, 0, group->name);
                sheet.text(row, 1, respondent.fileName);
                sheet.text(row, 2, respondent.texts[0]);
                sheet.text(row, 3, documents::stateCaption(answer / survey::kQuestionCount));
                sheet.text(row, 4,
                           survey::QuestionTitles[std::size_t(answer % survey::kQuestionCount)]);
                for (int type = 0; type < survey::kTypeCount; ++type)
                    sheet.number(row, firstPoint + type, line[std::size_t(type)]);
                sheet.number(row, time, line[survey::kTimeColumn] / 86400, formats.duration);
            }
        }
    }
    sheet.autofilter(top, row, time);
}

} // namespace

void writeRespondentSheets(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                           const std::vector<const ExportGroup *> &groups, bool freeText,
                           SheetStatus &status)
{
    writeRespondents(workbook, formats, head, groups, freeText, status);
    writeAnswers(workbook, formats, head, groups, status);
}

} // namespace documents

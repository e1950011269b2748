#include "xlsx_workbook.h"

#include "cli_io.h"
#include "sheet_names.h"
#include "statistics_report.h"
#include "xlsx_profile.h"
#include "xlsx_sheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <xlsxwriter.h>

namespace cli {
namespace {

// Columns of "Респонденты": the argument, the file and its texts, then the numbers.
constexpr int kFirstTextColumn = 2;
constexpr int kFirstScoreColumn = kFirstTextColumn + int(kRespondentTextLines.size());
constexpr int kFirstPointColumn = kFirstScoreColumn + 2 * survey::kTypeCount;
constexpr int kFirstTimeColumn = kFirstPointColumn + survey::kAnswerRows * survey::kTypeCount;
constexpr int kRespondentColumns = kFirstTimeColumn + survey::kAnswerRows;
// Text columns grow with their longest text up to this width.
constexpr int kMaxColumnWidth = 60;

QString stateWord(int row)
{
    return survey::stateCaption(row / survey::kQuestionCount).toLower();
}

QStringList respondentHeader()
{
    QStringList header{QStringLiteral("Папка"),     QStringLiteral("Файл"),
                       QStringLiteral("Код"),       QStringLiteral("Текст"),
                       QStringLiteral("Дата"),      QStringLiteral("Начало"),
                       QStringLiteral("Выполнение")};
    for (int state = 0; state < 2; ++state)
        for (int type = 0; type < survey::kTypeCount; ++type)
            header << survey::stateCaption(state) + QStringLiteral(": ") +
                          survey::typeShortName(type);
    for (int row = 0; row < survey::kAnswerRows; ++row)
        for (int type = 0; type < survey::kTypeCount; ++type)
            header << QStringLiteral("В%1 %2 %3")
                          .arg(row % survey::kQuestionCount + 1)
                          .arg(stateWord(row), survey::typeLetter(type));
    for (int row = 0; row < survey::kAnswerRows; ++row)
        header << QStringLiteral("Время В%1 %2, с")
                      .arg(row % survey::kQuestionCount + 1)
                      .arg(stateWord(row));
    return header;
}

// Each column as wide as its header or its longest text needs.
std::vector<int> respondentWidths(const QStringList &header, const std::vector<ExportGroup> &groups)
{
    std::vector<int> widths;
    for (const QString &name : header)
        widths.push_back(int(name.size()) + 2);
    const auto widen = [&widths](int column, const QString &text) {
        widths[std::size_t(column)] =
            std::max(widths[std::size_t(column)], std::min(int(text.size()) + 2, kMaxColumnWidth));
    };
    for (const ExportGroup &group : groups) {
        for (const RespondentRow &row : group.respondents) {
            widen(0, group.path);
            widen(1, row.fileName);
            for (std::size_t i = 0; i < row.texts.size(); ++i)
                widen(kFirstTextColumn + int(i), row.texts[i]);
        }
    }
    return widths;
}

void writeRespondents(lxw_workbook *workbook, const Formats &formats,
                      const std::vector<ExportGroup> &groups, SheetStatus &status)
{
    SheetWriter sheet(workbook, QStringLiteral("Респонденты"), status);
    const QStringList header = respondentHeader();
    const std::vector<int> widths = respondentWidths(header, groups);
    for (int column = 0; column < kRespondentColumns; ++column)
        sheet.setWidth(column, column, widths[std::size_t(column)]);
    for (int column = 0; column < kRespondentColumns; ++column)
        sheet.text(0, column, header[column], formats.header);
    int row = 0;
    for (const ExportGroup &group : groups) {
        for (const RespondentRow &respondent : group.respondents) {
            ++row;
            sheet.text(row, 0, group.path);
            sheet.text(row, 1, respondent.fileName);
            for (std::size_t i = 0; i < respondent.texts.size(); ++i)
                sheet.text(row, kFirstTextColumn + int(i), respondent.texts[i]);
            for (std::size_t k = 0; k < respondent.scores.size(); ++k)
                sheet.number(row, kFirstScoreColumn + int(k), respondent.scores[k], formats.score);
            for (int answer = 0; answer < survey::kAnswerRows; ++answer) {
                const survey::AnswerRow &line = respondent.answers[std::size_t(answer)];
                for (int type = 0; type < survey::kTypeCount; ++type)
                    sheet.number(row, kFirstPointColumn + answer * survey::kTypeCount + type,
                                 line[std::size_t(type)]);
                sheet.number(row, kFirstTimeColumn + answer, line[survey::kTimeColumn]);
            }
        }
    }
    sheet.freezeHeader();
    sheet.landscape(false);
    sheet.autofilter(row, kRespondentColumns - 1);
}

// A write that failed for want of room: a full disk, a used-up quota or a size limit.
bool meansFull(int error)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    return error == ENOSPC || error == EFBIG;
}

} // namespace

std::variant<QByteArray, QString> workbookBytes(const std::vector<ExportGroup> &groups)
{
    // Every file the library writes goes into this folder (TMPDIR's), so that each of its
    // failures is one of that folder: named in one line, the library's own lines muted.
    const QString tempRoot = QDir::toNativeSeparators(QDir::tempPath());
    QTemporaryDir folder;
    if (!folder.isValid())
        return QStringLiteral("cannot make a folder in the temporary folder %1: %2")
            .arg(tempRoot, folder.errorString());
    const MutedStderr muted;
    const QByteArray file = QFile::encodeName(folder.filePath(QStringLiteral("export.xlsx")));
    const QByteArray tmpdir = QFile::encodeName(folder.path());
    lxw_workbook_options options{};
    // Rows go straight to disk as they are written: a large group needs little memory.
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(tmpdir.constData());
    lxw_workbook *workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook)
        return QStringLiteral("cannot start the workbook");
    SheetStatus status;
    Formats formats{workbook_add_format(workbook), workbook_add_format(workbook),
                    workbook_add_format(workbook)};
    format_set_bold(formats.header);
    format_set_bold(formats.title);
    format_set_font_size(formats.title, 14);
    format_set_num_format(formats.score, "0.00");

    writeRespondents(workbook, formats, groups, status);
    QStringList taken{QStringLiteral("Респонденты")};
    for (const ExportGroup &group : groups)
        writeProfileSheet(workbook, formats, group,
                          uniqueSheetName(group.name, taken, QStringLiteral("Профиль")), status);
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    const int systemError = errno; // the library keeps the failed call's reason there
    if (!status.ok() || closed != LXW_NO_ERROR) {
        if (meansFull(systemError))
            return QStringLiteral("the temporary folder %1 is full (%2); free some space there "
                                  "or name another folder in TMPDIR")
                .arg(tempRoot, qt_error_string(systemError));
        if (!status.ok())
            return status.message();
        return QStringLiteral("cannot write the workbook in the temporary folder %1: %2")
            .arg(tempRoot, QString::fromUtf8(lxw_strerror(closed)));
    }
    QFile written(QString::fromLocal8Bit(file));
    if (!written.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read the workbook back: %1").arg(written.errorString());
    return written.readAll();
}

} // namespace cli

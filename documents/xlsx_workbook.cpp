#include "documents/xlsx_workbook.h"

#include "documents/sheet_names.h"
#include "documents/xlsx_overview.h"
#include "documents/xlsx_profile.h"
#include "documents/xlsx_respondents.h"
#include "documents/xlsx_sheet.h"
#ifdef Q_OS_WIN
#include "core/file_calls.h"
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <memory>
#include <xlsxwriter.h>

namespace documents {
namespace {

// A write that failed for want of room: a full disk, a used-up quota or a size limit.
bool meansFull(int error)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    return error == ENOSPC || error == EFBIG;
}

// A workbook given up half-way: closing it would write the file, so its folder goes instead.
struct WorkbookDeleter {
    void operator()(lxw_workbook *workbook) const { lxw_workbook_free(workbook); }
};

} // namespace

Disclosure workbookDisclosure(const std::vector<ExportGroup> &groups, int minGroup)
{
    std::vector<GroupSize> sizes;
    for (const ExportGroup &group : groups)
        sizes.push_back(groupSize(group.name, group));
    // The workbook shows no total, so a held-back group cannot be worked out from one.
    return disclose(sizes, minGroup, TotalRule::NoTotal,
                    groups.size() == 1 && groups.front().respondent);
}

Made workbookBytes(const std::vector<ExportGroup> &groups, const WorkbookOptions &options,
                   const CancelCheck &cancel)
{
    if (cancelled(cancel))
        return Cancelled{};
    // Every file the library writes goes into this folder (TMPDIR's), so that each of its
    // failures is one of that folder. It is made and tried here first: the library's own
    // complaint would go to stderr, ours names the folder in Russian.
    const QString tempRoot = QDir::toNativeSeparators(QDir::tempPath());
    QTemporaryDir folder;
    if (!folder.isValid())
        return Failure{QStringLiteral("не удаётся создать папку во временной папке %1: %2")
                           .arg(tempRoot, folder.errorString())};
    const QString filePath = folder.filePath(QStringLiteral("export.xlsx"));
#ifdef Q_OS_WIN
    // The library opens its files with the ANSI calls: a temporary folder the code page cannot
    // name (a user's name in another script) is given by its short name.
    const QByteArray tmpdir = QByteArray::fromStdString(
        filecalls::ansiPath(QDir::toNativeSeparators(folder.path()).toStdWString()));
    if (tmpdir.isEmpty())
        return Failure{QStringLiteral("временная папка %1 названа буквами, которых нет в "
                                      "кодировке системы; укажите в TMP папку с латинским именем")
                           .arg(tempRoot)};
    const QByteArray file = tmpdir + "\\export.xlsx";
#else
    const QByteArray file = QFile::encodeName(filePath);
    const QByteArray tmpdir = QFile::encodeName(folder.path());
#endif
    lxw_workbook_options library{};
    // Rows go straight to disk as they are written: a large group needs little memory.
    library.constant_memory = LXW_TRUE;
    library.tmpdir = const_cast<char *>(tmpdir.constData());
    std::unique_ptr<lxw_workbook, WorkbookDeleter> workbook(
        workbook_new_opt(file.constData(), &library));
    if (!workbook)
        return Failure{QStringLiteral("не удаётся начать книгу во временной папке %1: "
                                      "не хватает памяти или места")
                           .arg(tempRoot)};
    SheetStatus status;
    const Formats formats = addFormats(workbook.get());
    const SheetHead head{options.client.simplified(),
                         options.caption.simplified().isEmpty()
                             ? QStringLiteral("Профиль организационной культуры (OCAI)")
                             : options.caption.simplified()};
    const Disclosure disclosure = workbookDisclosure(groups, options.minGroup);
    writeOverviewSheet(workbook.get(), formats, head, groups, disclosure, status);
    QStringList taken{kOverviewSheet, kRespondentsSheet, kAnswersSheet};
    std::vector<const ExportGroup *> shown;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (!disclosure.shown[i])
            continue;
        if (cancelled(cancel))
            return Cancelled{};
        shown.push_back(&groups[i]);
        writeProfileSheet(workbook.get(), formats, head, groups[i],
                          uniqueSheetName(groups[i].name, taken, QStringLiteral("Профиль")),
                          status);
    }
    if (cancelled(cancel))
        return Cancelled{};
    if (!shown.empty())
        writeRespondentSheets(workbook.get(), formats, head, shown, options.freeText, status);
    if (cancelled(cancel))
        return Cancelled{};
    errno = 0;
    const lxw_error closed = workbook_close(workbook.release());
    const int systemError = errno; // the library keeps the failed call's reason there
    if (!status.ok() || closed != LXW_NO_ERROR) {
        if (meansFull(systemError))
            return Failure{QStringLiteral("временная папка %1 переполнена (%2); освободите в ней "
                                          "место или укажите другую папку в TMPDIR")
                               .arg(tempRoot, qt_error_string(systemError))};
        if (!status.ok())
            return Failure{status.message()};
        return Failure{QStringLiteral("не удаётся записать книгу во временной папке %1 (%2)")
                           .arg(tempRoot, QString::fromUtf8(lxw_strerror(closed)))};
    }
    QFile written(filePath);
    if (!written.open(QIODevice::ReadOnly))
        return Failure{
            QStringLiteral("не удаётся прочитать записанную книгу: %1").arg(written.errorString())};
    return written.readAll();
}

} // namespace documents

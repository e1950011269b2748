#include "web/group_names.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace web {
namespace {

// The longest file name of the usual Linux file systems, in bytes.
constexpr int kMaxNameBytes = 255;
const QString kQrSuffix = QStringLiteral(" QR.png");

#ifdef Q_OS_WIN
// Windows keeps some characters out of every name, drops a final dot, and gives the names of
// its devices (CON, NUL, COM1...) to no folder.
QString windowsNameProblem(const QString &name, const QString &quoted)
{
    const QString forbidden = QStringLiteral("<>:\"|?*");
    for (const QChar ch : name)
        if (forbidden.contains(ch))
            return QStringLiteral("Имя группы %1 содержит знак «%2», которого Windows не допускает "
                                  "в именах папок.")
                .arg(quoted, ch);
    if (name.endsWith(u'.'))
        return QStringLiteral("Имя группы %1 оканчивается точкой: Windows отбросит её в имени "
                              "папки.")
            .arg(quoted);
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name.section(u'.', 0, 0).trimmed()).hasMatch())
        return QStringLiteral("Имя группы %1 — имя устройства Windows: оно не годится для папки.")
            .arg(quoted);
    return {};
}
#endif

} // namespace

QString groupNameProblem(const QString &name)
{
    const QString quoted = QStringLiteral("«%1»").arg(name);
    if (name.isEmpty())
        return QStringLiteral("Пустое имя группы.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Имя группы %1 не годится для папки.").arg(quoted);
    if (std::any_of(name.begin(), name.end(), [](QChar ch) {
            return ch == u'/' || ch == u'\\' || ch.category() == QChar::Other_Control ||
                   ch.category() == QChar::Other_Format;
        }))
        return QStringLiteral("Имя группы %1 содержит косую черту или управляющий знак: "
                              "оно не годится для папки.")
            .arg(quoted);
    if ((name + kQrSuffix).toUtf8().size() > kMaxNameBytes)
        return QStringLiteral("Имя группы %1 слишком длинное для папки.").arg(quoted);
#ifdef Q_OS_WIN
    return windowsNameProblem(name, quoted);
#else
    return {};
#endif
}

std::variant<QStringList, QString> parseGroupList(const QString &list)
{
    QStringList groups;
    QSet<QString> folded;
    for (const QString &part : list.split(u',')) {
        const QString name = part.trimmed();
        const QString problem = groupNameProblem(name);
        if (!problem.isEmpty())
            return problem;
        if (folded.contains(name.toCaseFolded()))
            return QStringLiteral("Группа «%1» названа дважды (без учёта регистра букв).")
                .arg(name);
        folded.insert(name.toCaseFolded());
        groups << name;
    }
    return groups;
}

QString qrFileStem(const QString &folder, const QString &group)
{
    return QDir(folder).filePath(group.isEmpty() ? QStringLiteral("QR") : group + " QR");
}

} // namespace web

// The README's table of folders holds the tree to it: every #include "..." of a folder's sources,
// every library its CMakeLists.txt links and every other folder it names is one the table says
// the folder may use. The table is read as it stands, so that changing a rule is changing it.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString kRoot = QStringLiteral(OCAI_SOURCE_DIR);

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The parts of framework/ ("core", "charts", ...): its subfolders, each used on its own.
QStringList frameworkParts()
{
    return QDir(kRoot + QStringLiteral("/framework")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

// What may be used is a set of places: a folder ("survey") or a part of framework
// ("framework/core").
using Places = QSet<QString>;

struct Row {
    QString what;       // the row's second cell
    QString mayUse;     // its third, as written
    Places places;      // what that names, "and below" followed
    bool rules = false; // the row says what the folder may use
};

class Table {
public:
    // The rows of README.md's table, by folder ("survey", "tests/fuzz"), and in `problems` any
    // entry of a "may use" cell that names nothing known.
    explicit Table(QStringList &problems)
    {
        static const QRegularExpression row(
            QStringLiteral("^\\|([^|]*)\\|([^|]*)\\|([^|]*)\\|\\s*$"));
        static const QRegularExpression folder(QStringLiteral("`([\\w/]+)/`"));
        for (const QString &line : readText(kRoot + QStringLiteral("/README.md")).split(u'\n')) {
            const auto match = row.match(line);
            if (!match.hasMatch())
                continue;
            for (auto it = folder.globalMatch(match.captured(1)); it.hasNext();)
                m_rows.insert(it.next().captured(1), {match.captured(2), match.captured(3), {}});
        }
        const QStringList folders = m_rows.keys();
        for (const QString &name : folders)
            parse(name, problems);
        // "X and below": what X may use, and so on down.
        for (const QString &name : folders)
            for (const QString &used : std::as_const(m_below[name]))
                m_rows[name].places.unite(placesBelow(used, {name}));
        // Every folder the build enters has its row, so that none escapes the rules.
        for (const QString &top : QDir(kRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (QFileInfo::exists(kRoot + u'/' + top + QStringLiteral("/CMakeLists.txt")) &&
                !m_rows.contains(top))
                problems << QStringLiteral("README: the table has no row for %1/").arg(top);
    }

    const QHash<QString, Row> &rows() const { return m_rows; }

    // The folder a path relative to the root lies in: the longest folder of the table that
    // holds it ("tests/fuzz/x.cpp" lies in "tests/fuzz"); empty for the root's own files.
    QString folderOf(const QString &relative) const
    {
        QString best;
        for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
            if (relative.startsWith(it.key() + u'/') && it.key().size() > best.size())
                best = it.key();
        return best;
    }

    // Whether `folder` may use `place`: its own, a part of it, or one its row names.
    bool allows(const QString &folder, const QString &place) const
    {
        return place == folder || place.startsWith(folder + u'/') ||
               m_rows.value(folder).places.contains(place);
    }

private:
    void parse(const QString &name, QStringList &problems)
    {
        Row &entry = m_rows[name];
        static const QRegularExpression brackets(QStringLiteral("\\([^)]*\\)"));
        static const QRegularExpression part(QStringLiteral("^`(\\w+)/`$"));
        QString text = entry.mayUse;
        text.remove(brackets);
        bool inFramework = false;
        for (QString piece : text.split(u',', Qt::SkipEmptyParts)) {
            piece = piece.trimmed();
            if (piece.isEmpty())
                continue;
            entry.rules = true;
            const auto partMatch = part.match(piece);
            if (piece.startsWith(QLatin1String("framework"))) {
                inFramework = true;
                piece = piece.mid(9).trimmed();
                if (piece.isEmpty()) {
                    for (const QString &each : frameworkParts())
                        entry.places << QStringLiteral("framework/") + each;
                    continue;
                }
                const auto first = part.match(piece);
                if (first.hasMatch()) {
                    entry.places << QStringLiteral("framework/") + first.captured(1);
                    continue;
                }
            } else if (inFramework && partMatch.hasMatch()) {
                entry.places << QStringLiteral("framework/") + partMatch.captured(1);
                continue;
            }
            inFramework = false;
            if (piece == QLatin1String("Qt"))
                continue;
            const bool below = piece.endsWith(QLatin1String(" and below"));
            const QString used = below ? piece.chopped(10).trimmed() : piece;
            if (!m_rows.contains(used) || used == name) {
                problems << QStringLiteral("README: the row of %1/ may use \"%2\", which is no "
                                           "other folder of the table")
                                .arg(name, piece);
                continue;
            }
            entry.places << used;
            if (below)
                m_below[name] << used;
        }
    }

    Places placesBelow(const QString &name, QSet<QString> seen)
    {
        Places places = m_rows.value(name).places;
        seen << name;
        for (const QString &place : m_rows.value(name).places)
            if (m_rows.contains(place) && !seen.contains(place))
                places.unite(placesBelow(place, seen));
        return places;
    }

    QHash<QString, Row> m_rows;
    QHash<QString, QStringList> m_below;
};

// Every file of the tree under `folder` whose name matches `filters`, as paths relative to
// the root; build trees and hidden folders aside.
void collectFiles(const QDir &root, const QString &folder, const QStringList &filters,
                  QStringList &files)
{
    const QDir dir(root.filePath(folder));
    for (const QString &name : dir.entryList(filters, QDir::Files))
        files << QDir::cleanPath(folder + u'/' + name).remove(QRegularExpression("^/"));
    // Never into a build tree or a hidden folder: a Windows build's Wine prefix there leads to
    // the whole file system through its drive links.
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks))
        if (!name.startsWith(u'.') &&
            !(folder.isEmpty() && name.startsWith(QLatin1String("build"))))
            collectFiles(root, folder.isEmpty() ? name : folder + u'/' + name, filters, files);
}

QStringList sourceFiles(const QString &folder, const QStringList &filters)
{
    QStringList files;
    collectFiles(QDir(kRoot), folder, filters, files);
    files.sort();
    return files;
}

// The place an #include names from `file` (relative to the root): the folder or framework part
// its path starts with, or the file's own folder for a header beside it or one the build makes.
std::optional<QString> includedPlace(const Table &table, const QString &file,
                                     const QString &include)
{
    const QString first = include.section(u'/', 0, 0);
    if (include.contains(u'/') && table.rows().contains(first))
        return first;
    if (include.contains(u'/') && frameworkParts().contains(first))
        return QStringLiteral("framework/") + first;
    const QString beside = QFileInfo(kRoot + u'/' + file).dir().filePath(include);
    if (QFileInfo::exists(beside) || include.endsWith(QLatin1String(".moc")))
        return table.folderOf(file);
    return std::nullopt;
}

// The libraries of the tree by target name, each with the places its sources lie in.
QHash<QString, Places> projectTargets(const Table &table)
{
    static const QRegularExpression set(QStringLiteral("\\bset\\(\\s*(\\w+)([^)]*)\\)"));
    static const QRegularExpression target(
        QStringLiteral("\\b(?:qt_)?add_(?:library|executable)\\(\\s*([\\w-]+)([^)]*)\\)"));
    QHash<QString, Places> targets;
    for (const QString &list : sourceFiles(QString(), {QStringLiteral("CMakeLists.txt")})) {
        const QString text = readText(kRoot + u'/' + list);
        const QString folder = table.folderOf(list);
        QHash<QString, QString> variables;
        for (auto it = set.globalMatch(text); it.hasNext();) {
            const auto match = it.next();
            variables[match.captured(1)] += u' ' + match.captured(2);
        }
        for (auto it = target.globalMatch(text); it.hasNext();) {
            const auto match = it.next();
            Places &places = targets[match.captured(1)];
            if (folder != QLatin1String("framework")) {
                places << folder;
                continue;
            }
            QString sources = match.captured(2);
            for (auto v = variables.cbegin(); v != variables.cend(); ++v)
                sources.replace(QStringLiteral("${%1}").arg(v.key()), v.value());
            for (const QString &source : sources.split(QRegularExpression(QStringLiteral("\\s+"))))
                if (source.contains(u'/'))
                    places << QStringLiteral("framework/") + source.section(u'/', 0, 0);
        }
    }
    return targets;
}

} // namespace

TEST(Layout, EveryIncludeNamesWhatItsFolderMayUse)
{
    QStringList problems;
    const Table table(problems);
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    for (auto row = table.rows().cbegin(); row != table.rows().cend(); ++row) {
        if (!row->rules)
            continue;
        for (const QString &file :
             sourceFiles(row.key(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")})) {
            if (table.folderOf(file) != row.key())
                continue;
            for (auto it = include.globalMatch(readText(kRoot + u'/' + file)); it.hasNext();) {
                const QString named = it.next().captured(1);
                const auto place = includedPlace(table, file, named);
                if (!place)
                    problems << QStringLiteral("%1: \"%2\" names no folder").arg(file, named);
                else if (!table.allows(row.key(), *place))
                    problems << QStringLiteral("%1: \"%2\" is of %3/, which %4/ may not use")
                                    .arg(file, named, *place, row.key());
            }
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

TEST(Layout, EveryLinkAndFolderOfABuildListIsWhatItsFolderMayUse)
{
    QStringList problems;
    const Table table(problems);
    const QHash<QString, Places> targets = projectTargets(table);
    static const QRegularExpression link(
        QStringLiteral("\\btarget_link_libraries\\(\\s*([\\w-]+)([^)]*)\\)"));
    static const QRegularExpression folderPath(
        QStringLiteral("\\$\\{(?:CMAKE|PROJECT)_SOURCE_DIR\\}/(\\w+)"));
    for (const QString &list : sourceFiles(QString(), {QStringLiteral("CMakeLists.txt")})) {
        const QString folder = table.folderOf(list);
        const Row row = table.rows().value(folder);
        if (!row.rules)
            continue;
        const QString text = readText(kRoot + u'/' + list);
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const auto match = it.next();
            for (const QString &used : match.captured(2).split(
                     QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
                // Qt Core only, or no widgets, where the row says so.
                const bool coreOnly = row.what.contains(QLatin1String("Qt Core only")) &&
                                      folder != QLatin1String("framework");
                if ((coreOnly && used.startsWith(QLatin1String("Qt6::")) &&
                     used != QLatin1String("Qt6::Core")) ||
                    (row.mayUse.contains(QLatin1String("no widgets")) &&
                     used == QLatin1String("Qt6::Widgets")))
                    problems << QStringLiteral("%1: %2 links %3, which its row rules out")
                                    .arg(list, match.captured(1), used);
                for (const QString &place : targets.value(used))
                    if (!place.isEmpty() && !table.allows(folder, place))
                        problems << QStringLiteral("%1: %2 links %3, of %4/, which %5/ may not use")
                                        .arg(list, match.captured(1), used, place, folder);
            }
        }
        for (auto it = folderPath.globalMatch(text); it.hasNext();) {
            const QString named = it.next().captured(1);
            if (table.rows().contains(named) && !table.allows(folder, named))
                problems << QStringLiteral("%1 names %2/, which %3/ may not use")
                                .arg(list, named, folder);
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

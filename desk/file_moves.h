#pragma once

#include "desk/survey_folder.h"

#include <QDateTime>
#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QStringList>

// Excluding and returning files off the window's thread, each file only if it is still the
// one the consultant chose: a row loaded before a new file came under the same name must not
// move the newcomer.
namespace desk {

// A file as the table showed it.
struct SeenFile {
    QString path;
    qint64 size = 0;
    QDateTime modified;
};
SeenFile seenFile(const Respondent &respondent);

// Moves `file` into its group's excluded folder (or back, see excludeFile and returnFile),
// refusing with the reason in Russian when it is gone or is no longer the file seen.
std::variant<QString, MoveError> moveSeenFile(const SeenFile &file, bool exclude);

struct MoveReport {
    bool exclude = false;
    int moved = 0;
    QStringList problems; // in Russian, one per file not moved
    QStringList folders;  // the folders files left or entered, for the rescan
};

// Runs one batch of moves at a time on a worker thread; `finished` reports it.
class FileMover : public QObject {
    Q_OBJECT
public:
    explicit FileMover(QObject *parent = nullptr);
    ~FileMover() override; // waits for the batch under way: a move is never cut in two

    bool busy() const { return m_busy; }
    // False, doing nothing, while another batch runs.
    bool move(const QList<SeenFile> &files, bool exclude);

signals:
    void finished(const desk::MoveReport &report);

private:
    QFutureWatcher<MoveReport> m_future;
    bool m_busy = false; // until its report is out
};

} // namespace desk

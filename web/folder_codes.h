#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

// The respondent codes a link's folder holds, for the page's question whether a code has
// answered. Each result file is read once: a file of the same size and time is taken from the
// last look unread, so that a page asking as the respondent types costs a listing.
namespace web {

class FolderCodes {
public:
    FolderCodes(const QString &folder, const QByteArray &key16);

    // The code of every readable result file of the folder as it is now; a file that cannot be
    // read holds no code the respondent could be told of.
    QStringList codes();

private:
    struct Seen {
        qint64 size = -1;
        QDateTime modified;
        QString code;
    };
    QString m_folder;
    QByteArray m_key;
    QHash<QString, Seen> m_seen; // by file name
};

} // namespace web

#pragma once

#include <QString>

// The texts only the survey page shows: what a browser on the network may meet and the
// questionnaire program on one computer never does.
namespace webtexts {

inline const QString kSending = QStringLiteral("Отправляем ответы…");
inline const QString kKeptOffline =
    QStringLiteral("Не удалось отправить ответы: нет связи с компьютером организатора. Ответы "
                   "сохранены в этом браузере, страница повторит отправку сама. Не закрывайте её.");
inline const QString kRetryNow = QStringLiteral("Отправить сейчас");
inline const QString kPendingFound =
    QStringLiteral("В этом браузере есть неотправленные ответы. Отправляем их…");
inline const QString kPointsLabel = QStringLiteral("Баллы за утверждение %1");

} // namespace webtexts

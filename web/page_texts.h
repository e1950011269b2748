#pragma once

#include <QString>

// The texts only the survey page shows: what a browser on the network may meet and the
// questionnaire program on one computer never does.
namespace webtexts {

inline const QString kSending = QStringLiteral("Отправляем ответы…");
// Why a sending failed; one of the two sentences below follows.
inline const QString kNoAnswer =
    QStringLiteral("Ответы не отправлены: компьютер организатора не отвечает. Возможно, опрос "
                   "остановлен или пропала связь с сетью.");
inline const QString kLinkClosed =
    QStringLiteral("Ответы не отправлены: эта ссылка закрыта. Организатор остановил опрос или "
                   "открыл его по новой ссылке.");
// After kLinkClosed when the answers are kept: the page of a new link of the same survey finds
// them in the browser.
inline const QString kNewLink = QStringLiteral(
    "Если организатор даст новую ссылку, откройте её в этом же браузере: ответы отправятся сами.");
inline const QString kTimedOut =
    QStringLiteral("Ответы не отправлены: компьютер организатора не ответил за %1 секунд.");
inline const QString kServerError =
    QStringLiteral("Ответы не отправлены: компьютер организатора ответил ошибкой %1.");
inline const QString kKeptHere =
    QStringLiteral("Ответы сохранены в этом браузере. Страница будет пробовать отправить их снова; "
                   "когда опрос откроют, можно нажать «Отправить ещё раз».");
inline const QString kKeptOnPage =
    QStringLiteral("Браузер не даёт сохранить ответы: они есть только на этой странице. Не "
                   "закрывайте и не обновляйте её; страница сама попробует отправить их ещё раз.");
inline const QString kRetryNow = QStringLiteral("Отправить ещё раз");
inline const QString kPendingFound =
    QStringLiteral("В этом браузере есть неотправленные ответы. Отправляем их…");
inline const QString kPointsLabel = QStringLiteral("Баллы за утверждение %1");

// The instruction's fold on a phone, and its paragraph on a touch screen in place of the keys'.
inline const QString kInstructionMore = QStringLiteral("Как отвечать");
inline const QString kInstructionTouch = QStringLiteral(
    "<p>Коснитесь поля, чтобы ввести баллы; кнопка перехода на экранной клавиатуре ведёт к "
    "следующему полю, а когда сумма равна 100, — к следующему вопросу.</p>");

inline const QString kCodeSpace = QStringLiteral("В коде не бывает пробелов");

// The end screen: the consultant sees the file; the respondent is told the answers arrived.
inline const QString kReceived =
    QStringLiteral("Ваши ответы получены и сохранены у организатора опроса.");

} // namespace webtexts

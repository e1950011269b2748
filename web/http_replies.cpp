#include "web/http_replies.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace web {
namespace {

struct Refusal {
    int status;
    const char *reason;  // the status line's
    const char *heading; // the page's, UTF-8
    const char *text;
};

constexpr Refusal kRefusals[] = {
    {400, "Bad Request", "Запрос не понят", "Откройте ссылку опроса заново."},
    {404, "Not Found", "Такой страницы нет",
     "Проверьте ссылку или отсканируйте QR-код опроса ещё раз."},
    {408, "Request Timeout", "Запрос пришёл не целиком",
     "Проверьте связь с сетью и отправьте ещё раз."},
    {411, "Length Required", "Запрос не понят", "Откройте ссылку опроса заново."},
    {413, "Payload Too Large", "Слишком большой запрос", "Откройте ссылку опроса заново."},
    {431, "Request Header Fields Too Large", "Слишком большой запрос",
     "Откройте ссылку опроса заново."},
    {503, "Service Unavailable", "Сервер опроса занят",
     "Сейчас подключено слишком много устройств. Попробуйте через минуту."},
};

const Refusal &refusal(int status)
{
    for (const Refusal &known : kRefusals)
        if (known.status == status)
            return known;
    return kRefusals[0];
}

QByteArray shortPage(const QByteArray &heading, const QByteArray &text)
{
    return QByteArray("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                      "<title>Опрос</title></head>\n<body style=\"font: 18px/1.4 sans-serif; "
                      "margin: 2em; overflow-wrap: anywhere\"><h1 style=\"font-size: 1.3em\">") +
           heading + "</h1><p>" + text + "</p></body></html>\n";
}

// "сбор ответов группы «…» остановлен" (or "по этой ссылке"), as a heading or after a colon.
QString stoppedText(const QString &group, bool heading)
{
    QString text = group.isEmpty()
                       ? QStringLiteral("сбор ответов по этой ссылке остановлен")
                       : QStringLiteral("сбор ответов группы «%1» остановлен").arg(group);
    if (heading)
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

QByteArray refusalPage(int status)
{
    const Refusal &known = refusal(status);
    return shortPage(known.heading, known.text);
}

QByteArray refusalResponse(int status)
{
    const Refusal &known = refusal(status);
    const QByteArray page = refusalPage(known.status);
    return "HTTP/1.1 " + QByteArray::number(known.status) + ' ' + known.reason +
           "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(page.size()) +
           "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + page;
}

QByteArray stoppedGroupPage(const QString &group)
{
    return shortPage(stoppedText(group, true).toHtmlEscaped().toUtf8(),
                     "Организатор сейчас не принимает ответы по этой ссылке. Откройте её позже; "
                     "ответы, уже введённые в этом браузере, сохранены в нём и отправятся.");
}

QByteArray stoppedGroupJson()
{
    // The page names its group under its title: a long name here would only crowd the reason.
    const QString why = QStringLiteral("Ответы не отправлены: %1.").arg(stoppedText({}, false));
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), why}})
        .toJson(QJsonDocument::Compact);
}

} // namespace web

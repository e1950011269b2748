#pragma once

#include <QUrl>

// What the survey page sends: one valid questionnaire ("Web-1") and its POST to a link.
namespace testweb {

inline const QByteArray kSubmission =
    R"({"id":"123e4567-e89b-42d3-a456-426614174000","code":"Web-1","free":"",)"
    R"("instructionSeconds":3,"answers":[[40,30,20,10],[40,30,20,10],[40,30,20,10],)"
    R"([40,30,20,10],[40,30,20,10],[40,30,20,10],[10,20,30,40],[10,20,30,40],[10,20,30,40],)"
    R"([10,20,30,40],[10,20,30,40],[10,20,30,40]],"seconds":[1,2,3,4,5,6,7,8,9,10,11,12]})";

inline QByteArray post(const QUrl &url, const QByteArray &body)
{
    return "POST " + url.path().toLatin1() +
           "submit HTTP/1.1\r\nHost: x\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\n\r\n" + body;
}

} // namespace testweb

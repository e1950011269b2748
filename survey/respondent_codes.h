#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Which files of a group share a respondent code: the one rule of the desk's marks, of
// `ocai-cli check`, of the anonymity floor and of the survey page's question whether a code
// has answered. Every file stays a file of the group: the rule only says which of them are
// probably one person's, so that two questionnaires of one person do not pass for two people.
namespace survey {

// A code as the rule compares it: without the spaces around it and in one letter case, since
// a respondent who typed "i4" for "I4" is still the person handed "I4" (and Windows names the
// files of the two alike). Empty for a file without a code: such files share with none.
QString respondentKey(const QString &code);

// A file that repeats the code of an earlier file of its group.
struct CodeRepeat {
    int file = 0;  // index of the repeat
    int first = 0; // index of the first file with the code
};

// The repeats among a group's files, `codes[i]` being the code line of file `fileNames[i]`
// (both lists alike in length). Of the files of one code the first is the one the writers
// named first: "<code>OCAI.cry", then "<code>-2OCAI.cry" and so on, a file named otherwise
// after them; ties keep the order given. Repeats come in the order given.
std::vector<CodeRepeat> codeRepeats(const QStringList &fileNames, const QStringList &codes);

// The mark of a repeat, in the desk's lists and in `ocai-cli check`.
inline const QString kCodeRepeatMark = QStringLiteral("повтор кода");

// «повтор кода «I4»: тот же код в файле «I4OCAI.cry»», what a repeat is said to be.
QString codeRepeatText(const QString &code, const QString &firstFile);

// How many people the files are at most: each code counts once, each file without a code once.
int distinctRespondents(const QStringList &codes);

// Whether `code` is among `codes` by the rule.
bool codeAnswered(const QStringList &codes, const QString &code);

} // namespace survey

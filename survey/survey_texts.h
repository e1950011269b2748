#pragma once

#include <QString>

// The questionnaire's texts, in one place because its screens and the survey page over the
// network share them.
namespace surveytexts {

inline const QString kWindowTitle = QStringLiteral("Анкета OCAI");

// The instruction in its parts: the survey page folds all but the first on a phone's screen and
// speaks of touch where the program speaks of keys.
inline const QString kInstructionIntro = QStringLiteral(
    "<p>Эта анкета описывает культуру вашей организации. В ней шесть вопросов, и на каждый "
    "вы ответите дважды: сначала о том, какая организация <b>сейчас</b> "
    "(«Текущее состояние»), затем о том, какой она, по-вашему, <b>должна стать</b> "
    "(«Желаемое состояние»).</p>");
inline const QString kInstructionAnswers = QStringLiteral(
    "<p>В каждом вопросе четыре утверждения: A, B, C и D. Распределите между ними "
    "<b>100 баллов</b> целыми числами: чем точнее утверждение описывает вашу организацию, тем "
    "больше баллов оно получает. Можно отдать все баллы одному утверждению, можно поставить 0. "
    "Дробей и отрицательных чисел нет. Кнопка «Далее» станет доступна, когда сумма будет ровно "
    "100.</p>"
    "<p>Правильных и неправильных ответов нет: важно только ваше мнение.</p>"
    "<p><b>Код респондента</b> обязателен: его сообщает организатор опроса (буквы, цифры, "
    "«-» и «_», до 20 знаков), им назван файл с вашими ответами. Строка ниже необязательна: "
    "имя, должность или подразделение, если организатор просил их указать.</p>");
inline const QString kInstructionKeys = QStringLiteral(
    "<p>Всё можно сделать с клавиатуры: Tab переходит к следующему полю, Shift+Tab к "
    "предыдущему, Enter в поле нажимает «Начать» или «Далее», а на кнопке — эту кнопку.</p>");
inline const QString kInstruction = kInstructionIntro + kInstructionAnswers + kInstructionKeys;

inline const QString kCodeLabel = QStringLiteral("Код респондента:");
inline const QString kFreeTextLabel =
    QStringLiteral("Имя, должность или подразделение (необязательно):");
inline const QString kFolderLabel = QStringLiteral("Папка для результатов:");
inline const QString kChooseFolder = QStringLiteral("Выбрать папку…");
inline const QString kChooseFolderTitle = QStringLiteral("Папка для файлов с результатами");
inline const QString kFolderNotWritable =
    QStringLiteral("В папку «%1» нельзя записать файл. Выберите другую папку.");
inline const QString kFolderMissing =
    QStringLiteral("Папки «%1» нет. Выберите папку для результатов кнопкой «Выбрать папку…».");
inline const QString kStart = QStringLiteral("Начать");

inline const QString kCodeRefused =
    QStringLiteral("Код может содержать только буквы, цифры, «-» и «_»");
inline const QString kCodeTooLong = QStringLiteral("Код может быть не длиннее %1 знаков");
inline const QString kCodeUsed =
    QStringLiteral("Код «%1» уже есть в папке: ответы будут записаны в файл «%2»");
// Said at the code field before the questions when the group already holds the code's answers.
inline const QString kCodeAnswered =
    QStringLiteral("С кодом «%1» в этой группе уже ответили. Вы другой человек? Тогда уточните "
                   "свой код у организатора опроса. Если вы отвечаете ещё раз, нажмите «Начать»: "
                   "прежние ответы тоже останутся.");
inline const QString kCodeExhausted =
    QStringLiteral("В папке уже слишком много файлов с кодом «%1»: выберите другой код");
inline const QString kCharacterDropped =
    QStringLiteral("Символ «%1» не сохраняется в файле ответов");
inline const QString kCharactersDropped =
    QStringLiteral("Символы «%1» не сохраняются в файле ответов");
inline const QString kFreeTextTooLong = QStringLiteral("Строка может быть не длиннее %1 знаков");
inline const QString kCodeNoteName = QStringLiteral("Замечание к коду респондента");
inline const QString kFreeTextNoteName = QStringLiteral("Замечание к необязательной строке");

inline const QString kProgress = QStringLiteral("Вопрос %1 из %2");
inline const QString kCurrentState = QStringLiteral("Текущее состояние");
inline const QString kPreferredState = QStringLiteral("Желаемое состояние");
inline const QString kCurrentHint = QStringLiteral("Какая организация сейчас?");
inline const QString kPreferredHint = QStringLiteral("Какой организация должна стать?");
inline const QString kPointsHeader = QStringLiteral("Баллы");
inline const QString kReferenceHeader = QStringLiteral("Сейчас");
inline const QString kRemaining = QStringLiteral("Осталось распределить: %1");
inline const QString kExcess = QStringLiteral("Лишние баллы: %1. Сумма должна быть 100.");
inline const QString kPointsTooMany = QStringLiteral("Не больше %1 баллов");
inline const QString kPointsDigitsOnly = QStringLiteral("Только цифры");
// A points field keeps what it cannot take, as typed, until it is changed: the note says why and
// the field counts for nothing new meanwhile (it keeps its last whole number), so that «7,5»
// never becomes 75 nor «-5» 5 unnoticed.
inline const QString kNotTaken = QStringLiteral("%1: «%2» не учтено");
inline const QString kPointsFraction = QStringLiteral("Баллы — только целые числа, без дробей");
inline const QString kPointsNegative = QStringLiteral("Баллы не бывают меньше 0");
inline const QString kPointsNoteName = QStringLiteral("Замечание к баллам утверждения %1");
inline const QString kBack = QStringLiteral("Назад");
inline const QString kNext = QStringLiteral("Далее");
inline const QString kNotWritten = QStringLiteral("Ответы не записаны. %1");

inline const QString kThanks = QStringLiteral("Спасибо!");
inline const QString kWritten = QStringLiteral("Ваши ответы записаны в файл\n%1");
inline const QString kNextRespondent = QStringLiteral("Следующий респондент");

inline const QString kConfirmDiscard =
    QStringLiteral("Ответы этого респондента ещё не записаны. Закрыть анкету и потерять их?");

} // namespace surveytexts

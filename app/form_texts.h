#pragma once

#include <QString>

// The window's own texts, in one place because several handlers share them.
namespace formtexts {

inline const QString kApplicationTitle = QStringLiteral("VILT.ZARAva.Rori");
inline const QString kWindowCaption =
    QStringLiteral("ВИЛТ - Построение профиля организационной культуры (OCAI)");
inline const QString kAboutEntry = QStringLiteral("О программе");
constexpr quint32 kAboutCommand = 1025;

inline const QString kStatusStart =
    QStringLiteral("Для построения индивидуального профиля загрузить данные через меню [Data], "
                   "группового - [Group].");
inline const QString kStatusIndividual =
    QStringLiteral("Перед сохранением графиков [A] и [B] Вы можете отредактировать информационное "
                   "поле для индивида");
inline const QString kStatusBadScore =
    QStringLiteral("Ошибка в данных. Проверьте формат данных [00.00].");

inline const QString kOpenIndividualTitle =
    QStringLiteral("Данные для построения индивидуального профиля OCAI");
inline const QString kResultFilter = QStringLiteral("CRY Files (*.cry)|*.cry");

inline const QString kNotAFloat = QStringLiteral("'%1' is not a valid floating point value");

} // namespace formtexts

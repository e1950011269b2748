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
inline const QString kStatusGroup =
    QStringLiteral("Перед сохранением графиков [A] и [B] Вы можете отредактировать информационное "
                   "поле для группы");
inline const QString kStatusCleared =
    QStringLiteral("Для построения профиля загрузить данные через меню [Data] или [Group], либо "
                   "ввести данные вручную [00.00], указав код [abc123]");
inline const QString kStatusBadScore =
    QStringLiteral("Ошибка в данных. Проверьте формат данных [00.00].");

inline const QString kOpenIndividualTitle =
    QStringLiteral("Данные для построения индивидуального профиля OCAI");
inline const QString kOpenGroupTitle =
    QStringLiteral("Данные для построения группового профиля OCAI");
inline const QString kSavePlotATitle = QStringLiteral("Запись общего профиля в gif-файл");
inline const QString kSavePlotBTitle = QStringLiteral("Запись графиков вопросов в gif-файл");
inline const QString kSaveDataTitle = QStringLiteral("Запись исходных данных в txt-файл");
inline const QString kGifFilter = QStringLiteral("GIF Files (*.gif)|*.GIF");
inline const QString kTxtFilter = QStringLiteral("TXT Files (*.txt)|*.TXT");

inline const QString kPlotBHint =
    QStringLiteral("Для вывода данных и альтернатив по вопросу два раза кликните \"мышью\" по "
                   "соответсвующему графику.");

inline const QString kResultFilter = QStringLiteral("CRY Files (*.cry)|*.cry");

inline const QString kNotAFloat = QStringLiteral("'%1' is not a valid floating point value");

} // namespace formtexts

#pragma once
// Every text the windows show that belongs to no control of a .ui file:
// messages, questions, menu items built in code, file dialogs. The texts of
// the controls, their tool tips and status tips, are in resources/*.ui.

#include <QString>
#include <QStringList>

namespace texts {

// ---- Work window: procedures ----------------------------------------------
inline QString AlreadyDescribed(const QString &name)
{
    return QStringLiteral("Процедура с именем ") + name + QStringLiteral(" уже описана");
}
inline const QString kEnterNewName = QStringLiteral("Введите имя новой процедуры");
inline const QString kNameStartsWithLetter = QStringLiteral("Имя процедуры должно начинаться с буквы");
inline const QString kProcedureHasCalls =
    QStringLiteral("Нельзя удалить процедуру \nбез удаления всех её вызовов !!!");

// ---- Work window: the listing's context menu ------------------------------
inline const QString kDeleteLine = QStringLiteral("Удалить строку");
inline const QString kDeleteConstruct = QStringLiteral("Удалить конструкцию");
inline const QString kDeleteElse = QStringLiteral("Удалить ветвь ИНАЧЕ");
inline const QString kDeleteProcedure = QStringLiteral("Удалить процедуру");
inline const QString kDeleteBody = QStringLiteral("Удалить тело алгоритма ");
inline const QString kInsertBlank = QStringLiteral("Вставить пустую строку");
inline const QString kInsertComment = QStringLiteral("Вставить комментарии");
inline const QString kSaveToFile = QStringLiteral("Сохранить алгоритм в файле");
inline const QString kLoadFromFile = QStringLiteral("Загрузить алгоритм из файла");

// ---- Work window: algorithm files -----------------------------------------
inline const QString kSaveFilter = QStringLiteral("текстовый (*.txt)");
inline const QString kOpenTitle = QStringLiteral("Укажите имя открываемого файла");
inline const QString kOpenFilter = QStringLiteral("текстовые (*.txt)");
inline const QString kSaveChanges = QStringLiteral("Сохранить изменения в алгоритме?");
inline const QString kQuoteInSaveName =
    QStringLiteral("Имя файла не может содержать кавычки (\"). Алгоритм не сохранен: выберите другое имя.");
inline const QString kQuoteInOpenName =
    QStringLiteral("Имя файла не может содержать кавычки (\"). Алгоритм не загружен.");

// ---- Work window: points panel and runs -----------------------------------
// Point А's start directions, in the order of kDirections (PvPupilField.cpp).
inline const QStringList kDirectionNames = {QStringLiteral("вправо"), QStringLiteral("вверх"),
                                            QStringLiteral("влево"), QStringLiteral("вниз")};
inline QString NotAnInteger(const QString &text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
inline QString CoordinateRange(int last)
{
    return QStringLiteral("Координата должна быть от 0 до %1").arg(last);
}
inline const QString kNoPointA =
    QStringLiteral("Точка А не задана или лежит вне поля. Задайте точку А на этапе \"Разработка\".");

// ---- Work window: a teacher's task ----------------------------------------
inline QString TaskWindowTitle(const QString &title)
{
    return QStringLiteral("Задание: ") + title;
}
inline QString TaskPoints(int n, int ax, int ay, int direction, bool hasB, int bx, int by)
{
    const int item = (direction / 90) % 4;
    QString text = QStringLiteral("Поле %1 × %1. Точка А (%2, %3), направление %4")
                       .arg(n)
                       .arg(ax)
                       .arg(ay)
                       .arg(kDirectionNames.value(item < 0 ? 0 : item));
    if (hasB)
        text += QStringLiteral("; точка Б (%1, %2)").arg(bx).arg(by);
    return text + QLatin1Char('.');
}
inline const QString kTaskWindowHint =
    QStringLiteral("Закрытое окно задания снова открывает клавиша F9 в окне ученика.");
inline const QString kTaskKeyHint = QStringLiteral("F9 — задание");
inline const QString kTaskCheck = QStringLiteral("Проверка");
inline const QString kTaskNotOpened = QStringLiteral("Задание не открыто");
inline QString TaskNotOpened(const QString &reason)
{
    return reason + QStringLiteral("\n\nПрограмма запускается без задания.");
}

// ---- The task maker ("putevod --teacher") -----------------------------------
inline const QString kMakerTitle = QStringLiteral("Конструктор заданий");
inline const QString kMakerName = QStringLiteral("Название:");
inline const QString kMakerStatement = QStringLiteral("Условие:");
inline const QString kMakerSize = QStringLiteral("Размер поля:");
inline const QString kMakerPointA = QStringLiteral("Точка А:  x");
inline const QString kMakerPointB = QStringLiteral("Точка Б:  x");
inline const QString kMakerDirection = QStringLiteral("направление");
inline const QString kMakerUseB = QStringLiteral("задать точку Б (где исполнитель должен закончить путь)");
inline const QString kMakerReference = QStringLiteral("Образец:");
inline const QString kMakerNoReference = QStringLiteral("алгоритм не выбран");
inline const QString kMakerChooseReference = QStringLiteral("Выбрать алгоритм...");
inline const QString kMakerOpen = QStringLiteral("Открыть задание...");
inline const QString kMakerSave = QStringLiteral("Сохранить задание");
inline const QString kMakerPreview = QStringLiteral("Образец рисунка на поле");
inline const QString kMakerReferenceTitle = QStringLiteral("Укажите файл алгоритма-образца");
inline const QString kMakerOpenTitle = QStringLiteral("Укажите файл задания");
inline const QString kMakerSaveTitle = QStringLiteral("Сохранить задание в файле");
inline const QString kMakerTaskFilter = QStringLiteral("задания Путеводки (*.pvtask)");
inline const QString kMakerNeedTitle = QStringLiteral("Введите название задания.");
inline const QString kMakerNeedStatement = QStringLiteral("Напишите условие задания.");
inline const QString kMakerNeedReference =
    QStringLiteral("Выберите образец: сохранённый алгоритм, который рисует образец рисунка.");
inline const QString kMakerChooseHint =
    QStringLiteral("Выберите сохранённый алгоритм: его рисунок станет образцом.");
inline const QString kMakerSaveChanges = QStringLiteral("Сохранить изменения в задании?");
inline const QString kQuoteInTaskName =
    QStringLiteral("Имя файла не может содержать кавычки (\"). Задание не сохранено: выберите другое имя.");
inline QString MakerBadReference(const QString &reason)
{
    return QStringLiteral("Задание нельзя сохранить: ") + reason + QLatin1Char('.');
}
inline QString MakerReferenceLines(const QString &file, int lines)
{
    return QStringLiteral("%1 (строк: %2)").arg(file).arg(lines);
}
inline QString MakerSaved(const QString &file)
{
    return QStringLiteral("Задание сохранено в файле %1.").arg(file);
}
inline QString MakerSampleInfo(int segments)
{
    return QStringLiteral("Образец рисует отрезков: %1.").arg(segments);
}

// ---- Message boxes ---------------------------------------------------------
inline const QString kOk = QStringLiteral("OK");
inline const QString kFolderType = QStringLiteral("Папка");
inline const QString kYes = QStringLiteral("Да");
inline const QString kNo = QStringLiteral("Нет");
inline const QString kCancel = QStringLiteral("Отмена");

// ---- Start window and sign-in ----------------------------------------------
inline const QString kWorkshop = QStringLiteral("Учебная мастерская, 2024");
inline const QString kInvitation = QStringLiteral("Приглашение");
inline const QString kPupilCaptionPrefix =
    QStringLiteral("\"Путеводка-Свободная задача\" 1.1     Ученик (команда) : ");
inline const QString kBadNameChar = QStringLiteral("В имени и фамилии допустимы\nтолько русские буквы!");
inline const QString kEmptyName = QStringLiteral("Введите имя и фамилию или название команды");

} // namespace texts

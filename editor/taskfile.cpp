#include "editor/taskfile.h"
#include "editor/algfile.h"

#include <QMap>
#include <QVector>

namespace editor {

namespace {

const QString kSignature = QStringLiteral("ПУТЕВОДКА ЗАДАНИЕ");

// The field names as written, and as they are compared.
const QString kTitle = QStringLiteral("Название");
const QString kSize = QStringLiteral("Размер поля");
const QString kPointA = QStringLiteral("Точка А");
const QString kPointB = QStringLiteral("Точка Б");
const QString kStatement = QStringLiteral("Условие");
const QString kReference = QStringLiteral("Образец");

const int kDegrees[] = {0, 90, 180, 270};
const char *const kDirectionWords[] = {"вправо", "вверх", "влево", "вниз"};

// Upper case, blanks collapsed, Ё read as Е and a Latin A as the Russian А,
// so that "точка  a" names the same field as "Точка А".
QString NormalName(const QString &name)
{
    QString n = name.simplified().toUpper();
    n.replace(QChar(0x0401), QChar(0x0415));
    n.replace(QLatin1Char('A'), QChar(0x0410));
    return n;
}

QString Quoted(const QString &text)
{
    // A long line is cut in the message: the line number says where it is.
    const int kMax = 40;
    return QStringLiteral("«") + (text.size() > kMax ? text.left(kMax) + QStringLiteral("…") : text)
        + QStringLiteral("»");
}

QString AtLine(int line, const QString &what)
{
    return QStringLiteral("строка %1: %2").arg(line).arg(what);
}

// Numbers and words of a point's value: "2 3 вправо", "(2, 3), вправо".
QStringList Tokens(QString value)
{
    for (const QChar c : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('('), QLatin1Char(')')})
        value.replace(c, QLatin1Char(' '));
    return value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool ToInt(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

int DirectionFromText(const QString &text)
{
    const QString t = text.toLower();
    for (int i = 0; i < 4; ++i) {
        if (t == QString::fromUtf8(kDirectionWords[i]) || t == QString::number(kDegrees[i]))
            return kDegrees[i];
    }
    return -1;
}

struct Field {
    int line = 0;           // where its name stands
    QString value;          // the text after the colon, trimmed
    QStringList block;      // the "|" lines that follow it
};

// The text of a "|" line: what follows the bar, less one blank.
QString BlockText(const QString &line)
{
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    QString text = line.mid(bar + 1);
    if (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    return text;
}

bool Fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// A block's lines, the value on the name's own line (if any) first.
QStringList BlockLines(const Field &f)
{
    QStringList lines;
    if (!f.value.isEmpty())
        lines.append(f.value);
    lines += f.block;
    return lines;
}

bool HasText(const QStringList &lines)
{
    for (const QString &l : lines) {
        if (!l.trimmed().isEmpty())
            return true;
    }
    return false;
}

QString OneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString DirectionName(int degrees)
{
    for (int i = 0; i < 4; ++i) {
        if (kDegrees[i] == degrees)
            return QString::fromUtf8(kDirectionWords[i]);
    }
    return QString();
}

bool ParseTask(const QByteArray &input, TaskFile *task, QString *error)
{
    if (input.size() > kMaxTaskFileSize)
        return Fail(error, QStringLiteral("файл слишком велик для задания (больше 1 МБ)"));
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // A text in UTF-8 decodes and encodes back byte for byte; a NUL byte is
    // no part of a text.
    const QString text = QString::fromUtf8(bytes);
    if (bytes.contains('\0') || text.toUtf8() != bytes)
        return Fail(error, QStringLiteral("файл не является текстом в кодировке UTF-8"));

    const QStringList lines = SplitLines(text);
    const QString knownNames[] = {kTitle, kSize, kPointA, kPointB, kStatement, kReference};
    QMap<QString, Field> fields;  // by normal name
    bool signed_ = false;
    Field *block = nullptr;       // the statement or the reference being read

    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        const QString &line = lines.at(i);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('|'))) {
            if (!block)
                return Fail(error, AtLine(number, QStringLiteral("строка с «|» стоит вне условия "
                                                                 "и образца")));
            block->block.append(BlockText(line));
            continue;
        }
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;

        if (!signed_) {
            const QString head = NormalName(trimmed);
            if (!head.startsWith(kSignature))
                return Fail(error, QStringLiteral("это не файл задания: первая строка должна быть "
                                                  "«%1 %2»")
                                       .arg(kSignature)
                                       .arg(kTaskFormatVersion));
            int version = 0;
            if (!ToInt(head.mid(kSignature.size()).trimmed(), &version))
                return Fail(error, AtLine(number, QStringLiteral("после «%1» должен стоять номер "
                                                                 "версии формата")
                                                      .arg(kSignature)));
            if (version != kTaskFormatVersion)
                return Fail(error, QStringLiteral("задание записано в версии %1 формата, а программа "
                                                  "читает только версию %2")
                                       .arg(version)
                                       .arg(kTaskFormatVersion));
            signed_ = true;
            continue;
        }

        block = nullptr;
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return Fail(error, AtLine(number, QStringLiteral("непонятная строка %1: ожидалось поле "
                                                             "вида «Название: …» или строка "
                                                             "условия или образца, начатая с «|»")
                                                  .arg(Quoted(trimmed))));
        const QString name = NormalName(trimmed.left(colon));
        bool known = false;
        for (const QString &k : knownNames)
            known = known || NormalName(k) == name;
        if (!known)
            return Fail(error, AtLine(number, QStringLiteral("неизвестное поле %1")
                                                  .arg(Quoted(trimmed.left(colon).trimmed()))));
        if (fields.contains(name))
            return Fail(error, AtLine(number, QStringLiteral("поле %1 встречается второй раз")
                                                  .arg(Quoted(trimmed.left(colon).trimmed()))));
        Field &f = fields[name];
        f.line = number;
        f.value = trimmed.mid(colon + 1).trimmed();
        if (name == NormalName(kStatement) || name == NormalName(kReference))
            block = &f;
    }
    if (!signed_)
        return Fail(error, QStringLiteral("файл пуст или это не файл задания: первая строка должна "
                                          "быть «%1 %2»")
                               .arg(kSignature)
                               .arg(kTaskFormatVersion));

    for (const QString &k : {kTitle, kSize, kPointA, kStatement, kReference}) {
        if (!fields.contains(NormalName(k)))
            return Fail(error, QStringLiteral("в задании нет поля «%1»").arg(k));
    }

    TaskFile t;
    const Field &title = fields[NormalName(kTitle)];
    t.title = title.value;
    if (t.title.isEmpty())
        return Fail(error, AtLine(title.line, QStringLiteral("название задания пусто")));

    const Field &size = fields[NormalName(kSize)];
    if (!ToInt(size.value, &t.fieldSize) || t.fieldSize < 12 || t.fieldSize > 15)
        return Fail(error, AtLine(size.line, QStringLiteral("размер поля должен быть числом от 12 "
                                                            "до 15, а не %1")
                                                 .arg(Quoted(size.value))));
    const int last = t.fieldSize - 1;
    const auto coordinate = [last](const QString &text, int *value) {
        return ToInt(text, value) && *value >= 0 && *value <= last;
    };

    const Field &a = fields[NormalName(kPointA)];
    const QStringList at = Tokens(a.value);
    if (at.size() != 3 || !coordinate(at.at(0), &t.ax) || !coordinate(at.at(1), &t.ay))
        return Fail(error, AtLine(a.line, QStringLiteral("точка А задаётся двумя координатами от 0 "
                                                         "до %1 и направлением, например "
                                                         "«Точка А: 0 0 вправо»")
                                              .arg(last)));
    t.aDirection = DirectionFromText(at.at(2));
    if (t.aDirection < 0)
        return Fail(error, AtLine(a.line, QStringLiteral("направление %1 не годится: пишите "
                                                         "вправо, вверх, влево или вниз")
                                              .arg(Quoted(at.at(2)))));

    if (fields.contains(NormalName(kPointB))) {
        const Field &b = fields[NormalName(kPointB)];
        const QStringList bt = Tokens(b.value);
        if (bt.size() != 2 || !coordinate(bt.at(0), &t.bx) || !coordinate(bt.at(1), &t.by))
            return Fail(error, AtLine(b.line, QStringLiteral("точка Б задаётся двумя координатами "
                                                             "от 0 до %1, например «Точка Б: 5 5»")
                                                  .arg(last)));
        t.hasB = true;
    }

    const Field &statement = fields[NormalName(kStatement)];
    const QStringList statementLines = BlockLines(statement);
    if (!HasText(statementLines))
        return Fail(error, AtLine(statement.line, QStringLiteral("условие задания пусто: его "
                                                                 "строки пишутся после «Условие:», "
                                                                 "каждая начинается с «|»")));
    t.statement = statementLines.join(QLatin1Char('\n'));

    const Field &reference = fields[NormalName(kReference)];
    t.reference = BlockLines(reference);
    if (!HasText(t.reference))
        return Fail(error, AtLine(reference.line, QStringLiteral("образец пуст: строки алгоритма "
                                                                 "пишутся после «Образец:», каждая "
                                                                 "начинается с «|»")));
    if (task)
        *task = t;
    return true;
}

QByteArray FormatTask(const TaskFile &task)
{
    QString text;
    const auto field = [&text](const QString &name, const QString &value) {
        text += name + QStringLiteral(": ") + value + QLatin1Char('\n');
    };
    const auto block = [&text](const QStringList &lines) {
        for (const QString &l : lines)
            text += l.isEmpty() ? QStringLiteral("|\n") : QStringLiteral("| ") + l + QLatin1Char('\n');
    };
    text += kSignature + QLatin1Char(' ') + QString::number(kTaskFormatVersion) + QLatin1Char('\n');
    field(kTitle, OneLine(task.title).trimmed());
    field(kSize, QString::number(task.fieldSize));
    field(kPointA, QStringLiteral("%1 %2 %3").arg(task.ax).arg(task.ay).arg(DirectionName(task.aDirection)));
    if (task.hasB)
        field(kPointB, QStringLiteral("%1 %2").arg(task.bx).arg(task.by));
    text += kStatement + QStringLiteral(":\n");
    QString statement = task.statement;
    statement.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    statement.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    block(statement.split(QLatin1Char('\n')));
    text += kReference + QStringLiteral(":\n");
    QStringList reference;
    for (const QString &l : task.reference)
        reference.append(OneLine(l));
    block(reference);
    return text.toUtf8();
}

} // namespace editor

#include "TaskMaker.h"

#include "Dialogs.h"
#include "Resources.h"
#include "Texts.h"
#include "exec/task.h"
#include "field/drawing.h"
#include "field/glyph.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The preview's layout unit: a field of 12 cells is 424 pixels wide.
const qint16 kPreviewUnit = 8;
const int kDegrees[] = {0, 90, 180, 270};

QLineEdit *CoordinateEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(40);
    return edit;
}

} // namespace

TaskMakerWindow::TaskMakerWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(texts::kMakerTitle);
    // The font the other windows are laid out for.
    setFont(PixelFont(QStringLiteral("Liberation Sans"), 13, false));

    title = new QLineEdit(this);
    title->setObjectName(QStringLiteral("title"));
    statement = new QPlainTextEdit(this);
    statement->setObjectName(QStringLiteral("statement"));
    statement->setTabChangesFocus(true);
    size = new QComboBox(this);
    size->setObjectName(QStringLiteral("size"));
    for (int n = 12; n <= 15; ++n)
        size->addItem(QStringLiteral("%1 x %1").arg(n), n);
    ax = CoordinateEdit(this, "ax");
    ay = CoordinateEdit(this, "ay");
    bx = CoordinateEdit(this, "bx");
    by = CoordinateEdit(this, "by");
    direction = new QComboBox(this);
    direction->setObjectName(QStringLiteral("direction"));
    direction->addItems(texts::kDirectionNames);
    useB = new QCheckBox(texts::kMakerUseB, this);
    useB->setObjectName(QStringLiteral("useB"));
    referenceName = new QLabel(texts::kMakerNoReference, this);
    referenceName->setObjectName(QStringLiteral("referenceName"));
    auto *choose = new QPushButton(texts::kMakerChooseReference, this);
    choose->setObjectName(QStringLiteral("chooseReference"));
    auto *open = new QPushButton(texts::kMakerOpen, this);
    open->setObjectName(QStringLiteral("openTask"));
    save = new QPushButton(texts::kMakerSave, this);
    save->setObjectName(QStringLiteral("saveTask"));
    preview = new QLabel(this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info = new QLabel(this);
    info->setObjectName(QStringLiteral("info"));
    info->setWordWrap(true);

    auto *form = new QGridLayout;
    int row = 0;
    form->addWidget(new QLabel(texts::kMakerName, this), row, 0);
    form->addWidget(title, row++, 1);
    form->addWidget(new QLabel(texts::kMakerStatement, this), row, 0, Qt::AlignTop);
    form->addWidget(statement, row++, 1);
    form->addWidget(new QLabel(texts::kMakerSize, this), row, 0);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size);
    sizeRow->addStretch();
    form->addLayout(sizeRow, row++, 1);
    auto *aRow = new QHBoxLayout;
    aRow->addWidget(ax);
    aRow->addWidget(new QLabel(QStringLiteral("y"), this));
    aRow->addWidget(ay);
    aRow->addWidget(new QLabel(texts::kMakerDirection, this));
    aRow->addWidget(direction);
    aRow->addStretch();
    form->addWidget(new QLabel(texts::kMakerPointA, this), row, 0);
    form->addLayout(aRow, row++, 1);
    form->addWidget(useB, row++, 1);
    auto *bRow = new QHBoxLayout;
    bRow->addWidget(bx);
    bRow->addWidget(new QLabel(QStringLiteral("y"), this));
    bRow->addWidget(by);
    bRow->addStretch();
    form->addWidget(new QLabel(texts::kMakerPointB, this), row, 0);
    form->addLayout(bRow, row++, 1);
    auto *refRow = new QHBoxLayout;
    refRow->addWidget(referenceName, 1);
    refRow->addWidget(choose);
    form->addWidget(new QLabel(texts::kMakerReference, this), row, 0);
    form->addLayout(refRow, row++, 1);
    form->addWidget(info, row++, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addStretch();
    buttons->addWidget(save);
    form->addLayout(buttons, row++, 0, 1, 2);

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(texts::kMakerPreview, this));
    right->addWidget(preview);
    right->addStretch();

    auto *top = new QHBoxLayout(this);
    top->addLayout(form, 1);
    top->addLayout(right);

    connect(choose, &QPushButton::clicked, this, &TaskMakerWindow::ChooseReferenceClick);
    connect(open, &QPushButton::clicked, this, &TaskMakerWindow::OpenTaskClick);
    connect(save, &QPushButton::clicked, this, &TaskMakerWindow::SaveTaskClick);
    connect(title, &QLineEdit::textChanged, this, &TaskMakerWindow::Changed);
    connect(statement, &QPlainTextEdit::textChanged, this, &TaskMakerWindow::Changed);
    for (QLineEdit *edit : {ax, ay, bx, by})
        connect(edit, &QLineEdit::textChanged, this, [this] { Changed(); UpdatePreview(); });
    for (QComboBox *box : {size, direction})
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { Changed(); UpdatePreview(); });
    connect(useB, &QCheckBox::toggled, this, [this](bool on) {
        bx->setEnabled(on);
        by->setEnabled(on);
        Changed();
        UpdatePreview();
    });
    bx->setEnabled(false);
    by->setEnabled(false);
    UpdatePreview();
    modified = false;
}

void TaskMakerWindow::Changed()
{
    if (!filling)
        modified = true;
}

bool TaskMakerWindow::ReadCoordinate(QLineEdit *edit, int *value, bool report)
{
    const QString text = edit->text();
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    const int last = size->currentData().toInt() - 1;
    if (!ok) {
        if (report)
            dialogs::Message(this, dialogs::Kind::Error, texts::NotAnInteger(text));
        else
            info->setText(texts::NotAnInteger(text));
        return false;
    }
    if (v < 0 || v > last) {
        if (report)
            dialogs::Message(this, dialogs::Kind::Information, texts::CoordinateRange(last));
        else
            info->setText(texts::CoordinateRange(last));
        return false;
    }
    *value = v;
    return true;
}

bool TaskMakerWindow::Gather(editor::TaskFile *task, bool report)
{
    editor::TaskFile t;
    t.title = title->text().simplified();
    t.statement = statement->toPlainText();
    t.fieldSize = size->currentData().toInt();
    t.aDirection = kDegrees[qBound(0, direction->currentIndex(), 3)];
    t.hasB = useB->isChecked();
    t.reference = reference;
    if (!ReadCoordinate(ax, &t.ax, report) || !ReadCoordinate(ay, &t.ay, report))
        return false;
    if (t.hasB && (!ReadCoordinate(bx, &t.bx, report) || !ReadCoordinate(by, &t.by, report)))
        return false;
    if (report) {
        const QString missing = t.title.isEmpty()                      ? texts::kMakerNeedTitle
                                : t.statement.trimmed().isEmpty()      ? texts::kMakerNeedStatement
                                : t.reference.join(QString()).trimmed().isEmpty() ? texts::kMakerNeedReference
                                                                         : QString();
        if (!missing.isEmpty()) {
            dialogs::Message(this, dialogs::Kind::Information, missing);
            return false;
        }
    }
    *task = t;
    return true;
}

void TaskMakerWindow::UpdatePreview()
{
    const int n = size->currentData().toInt();
    const field::Geometry g = field::ComputeGeometry(kPreviewUnit, qint16(n));
    QImage picture = field::NewPicture(g.w);
    field::RedrawEmptyField(picture, g);

    editor::TaskFile t;
    if (Gather(&t, false)) {
        const field::Points points = exec::TaskPoints(t);
        field::Drawing sample;
        if (reference.isEmpty()) {
            info->setText(texts::kMakerChooseHint);
        } else {
            exec::Task task;
            QString error;
            if (exec::PrepareTask(t, &task, &error)) {
                sample = task.sample;
                info->setText(texts::MakerSampleInfo(int(sample.size())));
            } else {
                info->setText(texts::MakerBadReference(error));
            }
        }
        // The sample with the executor on А on top, facing its start direction.
        picture = field::SamplePicture(g, points, sample);
        field::DrawGlyph(picture, g, points.ax, points.ay, points.adir);
    }
    preview->setPixmap(QPixmap::fromImage(picture));
    preview->setFixedSize(picture.size());
}

void TaskMakerWindow::ChooseReferenceClick()
{
    dialogs::FileRequest request;
    request.title = texts::kMakerReferenceTitle;
    request.filter = texts::kOpenFilter;
    request.defaultSuffix = QStringLiteral("txt");
    QString path;
    QStringList lines;
    if (!dialogs::OpenAlgorithmFile(this, request, &path, &lines))
        return;
    reference = lines;
    referenceName->setText(texts::MakerReferenceLines(QFileInfo(path).fileName(), int(lines.size())));
    modified = true;
    UpdatePreview();
}

void TaskMakerWindow::Fill(const editor::TaskFile &t, const QString &fileName)
{
    filling = true;
    title->setText(t.title);
    statement->setPlainText(t.statement);
    size->setCurrentIndex(qBound(0, t.fieldSize - 12, 3));
    ax->setText(QString::number(t.ax));
    ay->setText(QString::number(t.ay));
    for (int i = 0; i < 4; ++i) {
        if (kDegrees[i] == t.aDirection)
            direction->setCurrentIndex(i);
    }
    useB->setChecked(t.hasB);
    bx->setText(QString::number(t.hasB ? t.bx : 0));
    by->setText(QString::number(t.hasB ? t.by : 0));
    reference = t.reference;
    referenceName->setText(texts::MakerReferenceLines(fileName, int(t.reference.size())));
    filling = false;
    modified = false;
    UpdatePreview();
}

void TaskMakerWindow::OpenTaskClick()
{
    if (modified) {
        switch (dialogs::Question(this, texts::kMakerSaveChanges)) {
        case dialogs::Answer::Yes:
            if (!SaveTaskClick())
                return;
            break;
        case dialogs::Answer::No:
            break;
        case dialogs::Answer::Cancel:
            return;
        }
    }
    dialogs::FileRequest request;
    request.title = texts::kMakerOpenTitle;
    request.filter = texts::kMakerTaskFilter;
    request.defaultSuffix = editor::kTaskExtension;
    const QString path = dialogs::AskFileName(this, request);
    if (!path.isEmpty())
        OpenTask(path);
}

bool TaskMakerWindow::OpenTask(const QString &path)
{
    // The file is read as it is, so that a task whose reference no longer
    // runs can still be opened and mended.
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    editor::TaskFile t;
    QString error = QStringLiteral("файл не удаётся прочитать");
    if (!file.open(QIODevice::ReadOnly)
        || !editor::ParseTask(file.read(editor::kMaxTaskFileSize + 1), &t, &error)) {
        dialogs::Message(this, dialogs::Kind::Error, exec::TaskFileError(path, error));
        return false;
    }
    Fill(t, name);
    return true;
}

bool TaskMakerWindow::SaveTaskClick()
{
    editor::TaskFile t;
    if (!Gather(&t, true))
        return false;
    exec::Task task;
    QString error;
    if (!exec::PrepareTask(t, &task, &error)) {
        dialogs::Message(this, dialogs::Kind::Information, texts::MakerBadReference(error));
        return false;
    }
    dialogs::FileRequest request;
    request.save = true;
    request.title = texts::kMakerSaveTitle;
    request.filter = texts::kMakerTaskFilter;
    request.defaultSuffix = editor::kTaskExtension;
    request.presetName = t.title;
    request.quoteMessage = texts::kQuoteInTaskName;
    const QString path = dialogs::AskFileName(this, request);
    if (path.isEmpty())
        return false;
    if (!exec::SaveTask(path, t, &error)) {
        dialogs::Message(this, dialogs::Kind::Error, error);
        return false;
    }
    modified = false;
    info->setText(texts::MakerSaved(QFileInfo(path).fileName()));
    return true;
}

void TaskMakerWindow::closeEvent(QCloseEvent *event)
{
    if (modified) {
        switch (dialogs::Question(this, texts::kMakerSaveChanges)) {
        case dialogs::Answer::Yes:
            if (!SaveTaskClick()) {
                event->ignore();
                return;
            }
            break;
        case dialogs::Answer::No:
            break;
        case dialogs::Answer::Cancel:
            event->ignore();
            return;
        }
    }
    event->accept();
}

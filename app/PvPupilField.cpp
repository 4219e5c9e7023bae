// The field, its size submenu and the points panel.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "Dialogs.h"
#include "EventHooks.h"
#include "Texts.h"
#include "qtcompat.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

const int kLabelsPerStrip = 16;

// Point А's start direction for each item of ComboBoxTo.
const qint16 kDirections[] = {0, 90, 180, 270};

} // namespace

// ---------------------------------------------------------------------------
// Set-up

void TfrmPvPupil::SetupFieldControls()
{
    QComboBox *to = ui->ComboBoxTo;
    to->clear();
    to->addItems(texts::kDirectionNames);
    to->setEditable(true);
    to->setInsertPolicy(QComboBox::NoInsert);
    to->setCurrentIndex(-1);
    to->setEditText(texts::kDirectionNames.first());

    for (QSpinBox *spinner : {ui->UpDownAX, ui->UpDownAY, ui->UpDownBX, ui->UpDownBY}) {
        spinner->setWrapping(false);
        spinner->setMinimum(0);
    }
    SetSpinnerMaxima();
    BindSpinners();

    // The size submenu: each item carries its size.
    const struct {
        QAction *item;
        int n;
    } sizes[] = {{ui->N1212, 12}, {ui->N1313, 13}, {ui->N1414, 14}, {ui->N1515, 15}};
    for (const auto &size : sizes) {
        size.item->setData(size.n);
        connect(size.item, &QAction::triggered, this, &TfrmPvPupil::N1212Click);
    }

    // Clicks on the own surfaces of the points panel and of the window; a
    // click on a control (a label, the field) is that control's.
    OnMousePress(ui->PanelPoints, [this](QMouseEvent *mouse) {
        if (ui->PanelPoints->childAt(compat::MousePos(mouse)))
            return false;
        PanelPointsClick();
        return true;
    });
    OnMousePress(ui->centralwidget, [this](QMouseEvent *mouse) {
        if (!ui->centralwidget->childAt(compat::MousePos(mouse)))
            FormClick();
        return false;
    });
}

void TfrmPvPupil::BindSpinners()
{
    const QList<QPair<QSpinBox *, QLineEdit *>> pairs = {{ui->UpDownAX, ui->EditAX},
                                                        {ui->UpDownAY, ui->EditAY},
                                                        {ui->UpDownBX, ui->EditBX},
                                                        {ui->UpDownBY, ui->EditBY}};
    for (const auto &pair : pairs) {
        QSpinBox *spinner = pair.first;
        QLineEdit *edit = pair.second;
        // The spinner writes its position into its edit box ...
        connect(spinner, qOverload<int>(&QSpinBox::valueChanged), edit,
                [edit](int value) { edit->setText(QString::number(value)); });
        // ... and continues from a number typed there.
        connect(edit, &QLineEdit::textEdited, spinner, [spinner](const QString &text) {
            bool ok = false;
            const int value = text.trimmed().toInt(&ok);
            if (ok && value >= spinner->minimum() && value <= spinner->maximum()) {
                const QSignalBlocker block(spinner);
                spinner->setValue(value);
            }
        });
    }
}

// ---------------------------------------------------------------------------
// Coordinate labels

void TfrmPvPupil::CreateCoordinateLabels()
{
    // The largest font whose character cell is at most u pixels high.
    QFont font(QStringLiteral("Liberation Sans"));
    for (int size = qMax(u, 1); size >= 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= u)
            break;
    }

    ui->PanelX->setGeometry(2, 2, ui->pnlMain->width() + 2 * u, u - 2);
    ui->PanelX->setFont(font);
    ui->PanelY->setGeometry(2, 2, u - 2, ui->pnlMain->height());
    ui->PanelY->setFont(font);

    if (!labelsX.isEmpty()) {
        // Created once for the window's life; a new layout only refits them.
        for (QLabel *label : labelsX + labelsY)
            label->adjustSize();
        return;
    }
    const int first = 2 * u + geometry.p / 2;
    for (int i = 0; i < kLabelsPerStrip; ++i) {
        auto *x = new QLabel(QString::number(i), ui->PanelX);
        x->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        x->setContentsMargins(0, 0, 0, 0);
        x->adjustSize();
        x->move(first + i * geometry.p, 0);
        x->show();
        labelsX.append(x);

        auto *y = new QLabel(QString::number(i), ui->PanelY);
        y->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        y->setContentsMargins(0, 0, 0, 0);
        y->adjustSize();
        y->move(0, first + i * geometry.p);
        y->show();
        labelsY.append(y);
    }
}

void TfrmPvPupil::PlaceCoordinateLabels()
{
    // Label i starts 2 pixels right of (below) the centre of column (row) i;
    // those beyond the strip's end are clipped away.
    ui->PanelX->resize(ui->pnlMain->width(), ui->PanelX->height());
    ui->PanelY->resize(ui->PanelY->width(), ui->pnlMain->height());
    const int first = 2 * u + geometry.p / 2;
    for (int i = 0; i < labelsX.size(); ++i)
        labelsX[i]->move(first + i * geometry.p, 0);
    for (int i = 0; i < labelsY.size(); ++i)
        labelsY[i]->move(0, first + i * geometry.p);
}

// ---------------------------------------------------------------------------
// The field

void TfrmPvPupil::ResizeField(int n)
{
    geometry = field::ComputeGeometry(qint16(u), qint16(n));
    const int w = geometry.w;
    ui->PaintImage->setGeometry(0, 0, w, w);
    ui->pnlMain->resize(w, w);
    PlaceCoordinateLabels();

    fieldPicture = field::NewPicture(w);
    fieldDirty = fieldPicture.rect();  // a new picture: all of it is to be shown
    underPicture = field::NewPicture(geometry.s);
    underPicture.fill(field::FaceColour());
    RedrawEmptyField();
    ShowField();
}

void TfrmPvPupil::RedrawEmptyField()
{
    fieldDirty |= field::RedrawEmptyField(fieldPicture, geometry);
}

void TfrmPvPupil::ShowField()
{
    // The image control keeps its own copy: later drawing into the field
    // picture is not seen until the next call. Only what was drawn since the
    // last call is copied and painted again.
    const QRect changed = ui->PaintImage->setPicture(fieldPicture, fieldDirty);
    fieldDirty = QRect();
    // Repaint at once, so that a run that holds the thread is seen frame by
    // frame; while the window itself is painting, a plain update is enough.
    if (testAttribute(Qt::WA_WState_InPaintEvent)) {
        if (!changed.isEmpty())
            ui->PaintImage->update(changed);
    } else if (!changed.isEmpty()) {
        ui->PaintImage->repaint(changed);
    } else {
        // The field is as shown; whatever else waits to be painted still
        // goes on screen now, as with any frame.
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(this, &request);
    }
}

void TfrmPvPupil::PlaceExecutorAtStart()
{
    fieldDirty |= field::PlaceExecutorAtStart(fieldPicture, underPicture, geometry, points, executor);
    ShowField();
}

void TfrmPvPupil::N1212Click()
{
    if (running)
        return;
    auto *item = qobject_cast<QAction *>(sender());
    if (!item)
        return;
    const int n = item->data().toInt();
    if (n <= 0)
        return;
    ResizeField(n);
    SetSpinnerMaxima();
    RedrawEmptyField();
    PlaceExecutorAtStart();
    ShowField();
}

// ---------------------------------------------------------------------------
// The points panel

void TfrmPvPupil::SetSpinnerMaxima()
{
    // A spinner beyond the new maximum stops at it, but a number typed into
    // its edit box stays as typed.
    for (QSpinBox *spinner : {ui->UpDownAX, ui->UpDownAY, ui->UpDownBX, ui->UpDownBY}) {
        const QSignalBlocker block(spinner);
        spinner->setMaximum(geometry.n - 1);
    }
}

bool TfrmPvPupil::ApplyPoints()
{
    // Check every entry that is about to be read before anything changes.
    QList<QLineEdit *> edits;
    if (ui->CheckBoxA->isChecked())
        edits << ui->EditAX << ui->EditAY;
    if (ui->CheckBoxB->isChecked())
        edits << ui->EditBX << ui->EditBY;
    QList<qint16> values;
    for (QLineEdit *edit : edits) {
        const QString text = edit->text();
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok) {
            dialogs::Message(this, dialogs::Kind::Error,
                             texts::NotAnInteger(text));
            return false;
        }
        if (value < 0 || value > geometry.n - 1) {
            dialogs::Message(this, dialogs::Kind::Information,
                             texts::CoordinateRange(geometry.n - 1));
            return false;
        }
        values << qint16(value);
    }

    RedrawEmptyField();
    int next = 0;
    if (ui->CheckBoxA->isChecked()) {
        points.ax = values[next++];
        points.ay = values[next++];
        // The item whose text the box shows; typed text matching none gives 0.
        const int item = ui->ComboBoxTo->findText(ui->ComboBoxTo->currentText());
        points.adir = item >= 0 && item < 4 ? kDirections[item] : qint16(0);
    } else {
        points.ax = points.ay = points.adir = -1;
    }
    if (ui->CheckBoxB->isChecked()) {
        points.bx = values[next++];
        points.by = values[next++];
    } else {
        points.bx = points.by = -1;
    }
    PlaceExecutorAtStart();
    return true;
}

void TfrmPvPupil::FormClick()
{
    // Closing the panel this way discards its entries.
    if (!ui->PanelPoints->isHidden())
        ui->PanelPoints->hide();
}

void TfrmPvPupil::NMainPointsClick()
{
    ui->PanelPoints->setVisible(ui->PanelPoints->isHidden());
    if (ui->PanelPoints->isHidden())
        ApplyPoints();
    SetSpinnerMaxima();
}

void TfrmPvPupil::PanelPointsClick()
{
    if (running)
        return;
    ui->PanelPoints->hide();
    ApplyPoints();
}

// The sign-in dialog: the pupil types a surname and a first name, or a team
// name; a successful sign-in opens the main work window modally.
#include "RegistrPupilUnit.h"
#include "Resources.h"
#include "Texts.h"
#include "ui_RegistrPupilUnit.h"

#include "MainPupilUnit.h"
#include "PvPupilUnit.h"
#include "field/fonts.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

TfrmRegistrPupil *frmRegistrPupil = nullptr;

namespace {

const QColor kFocusColour(255, 255, 0);

// The code-page-1251 code of a character, as far as the name check needs
// it: ASCII, the letters А..я, and Ё/ё (which the name check refuses).
int Cp1251NameCode(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x80)
        return u;
    if (u >= 0x0410 && u <= 0x044F)  // А..Я а..я
        return u - 0x0410 + 192;
    if (u == 0x0401)  // Ё
        return 168;
    if (u == 0x0451)  // ё
        return 184;
    return 256;  // some other character: never a name character
}

bool IsEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TfrmRegistrPupil::TfrmRegistrPupil(QWidget *parent) : QDialog(parent), ui(new Ui::TfrmRegistrPupil)
{
    InitImageResources();
    ui->setupUi(this);
    // Fixed border with a close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(399, 283);
    setAttribute(Qt::WA_DeleteOnClose);  // FormClose: the dialog frees itself
    setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));

    // The dialog's own font; the labels and the name fields have theirs.
    setFont(PixelFont(field::FontFamily(field::Face::MsSansSerif), 15, true));
    const QFont labelFont = PixelFont(field::FontFamily(field::Face::TimesNewRoman), 16, true);
    ui->NamLab1->setFont(labelFont);
    ui->NamLab2->setFont(labelFont);
    ui->Label2->setFont(labelFont);
    const QFont nameFont = PixelFont(field::FontFamily(field::Face::MsSansSerif), 11, false);
    ui->EditNam1->setFont(nameFont);
    ui->EditNam2->setFont(nameFont);

    QIcon glyph;
    glyph.addPixmap(QPixmap(QStringLiteral(":/images/check_green.png")), QIcon::Normal);
    glyph.addPixmap(QPixmap(QStringLiteral(":/images/check_green_disabled.png")), QIcon::Disabled);
    ui->ReadyBitB->setIcon(glyph);
    ui->ReadyBitB->setFont(PixelFont(field::FontFamily(field::Face::TimesNewRoman), 13, true));
    // Enter belongs to our key handlers, not to a default button.
    ui->ReadyBitB->setAutoDefault(false);
    ui->ReadyBitB->setDefault(false);
    connect(ui->ReadyBitB, &QPushButton::clicked, this, &TfrmRegistrPupil::ReadyBitBClick);

    m_windowColour = ui->EditNam1->palette().color(QPalette::Base);
    for (QLineEdit *edit : {ui->EditNam1, ui->EditNam2, ui->EditNam3})
        edit->installEventFilter(this);
    ui->ReadyBitB->installEventFilter(this);

    // Centred on the screen, whoever owns the dialog.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + qMax(0, (area.width() - width()) / 2), area.top() + qMax(0, (area.height() - height()) / 2));
    }
}

TfrmRegistrPupil::~TfrmRegistrPupil()
{
    if (frmRegistrPupil == this)
        frmRegistrPupil = nullptr;
    delete ui;
}

// ---------------------------------------------------------------------------
// Activation

void TfrmRegistrPupil::FormActivate()
{
    ui->EditNam1->clear();
    ui->EditNam2->clear();
    ui->EditNam3->clear();
    ui->EditNam1->setFocus();
}

bool TfrmRegistrPupil::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::WindowDeactivate:
        m_leftForBox = m_inMessage;
        m_leftForOwnWindow = QApplication::activeWindow() != nullptr;
        break;
    case QEvent::WindowActivate:
        // The first activation, and a return from another window of the
        // program, start the entry afresh. Our own message boxes have done
        // that already when they closed; a return from another program
        // keeps what was typed.
        if (!m_activatedOnce || (m_leftForOwnWindow && !m_leftForBox))
            FormActivate();
        m_activatedOnce = true;
        m_leftForBox = false;
        m_leftForOwnWindow = false;
        break;
    default:
        break;
    }
    return QDialog::event(e);
}

void TfrmRegistrPupil::ShowMessage(dialogs::Kind kind, const QString &text)
{
    m_inMessage = true;
    dialogs::Message(this, kind, text);
    m_inMessage = false;
    // Coming back from the box activates the dialog again.
    FormActivate();
}

// ---------------------------------------------------------------------------
// Keys

void TfrmRegistrPupil::keyPressEvent(QKeyEvent *e)
{
    // Escape does not close the dialog: only the close box does.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

int TfrmRegistrPupil::TypedCharCode(const QKeyEvent *e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);

    if (key == Qt::Key_Backspace)
        return ctrl ? 127 : 8;
    if (key == Qt::Key_Escape)
        return 27;
    if (ctrl && !alt) {
        // Ctrl with a letter types a control character (Ctrl+V is 22);
        // other Ctrl combinations type nothing.
        const bool letter = (key >= Qt::Key_A && key <= Qt::Key_Z)
                            || (key > 0x7F && key <= 0xFFFF && QChar(key).isLetter());
        if (letter)
            return key >= Qt::Key_A && key <= Qt::Key_Z ? key - Qt::Key_A + 1 : 0;
        return -1;
    }
    const QString text = e->text();
    if (text.isEmpty())
        return -1;
    // Keys whose text is a control character (Tab, Delete...) type nothing
    // into the field.
    const ushort first = text.at(0).unicode();
    if (first < 32 || first == 127)
        return -1;
    // Several characters at once: the first one outside the set decides.
    for (const QChar c : text) {
        const int code = Cp1251NameCode(c);
        if (!IsNameCharCode(code))
            return code;
    }
    return Cp1251NameCode(text.at(0));
}

bool TfrmRegistrPupil::IsNameCharCode(int code)
{
    return code == 8 || code == 32 || code == 44 || (code >= 192 && code <= 255);
}

bool TfrmRegistrPupil::eventFilter(QObject *watched, QEvent *event)
{
    QLineEdit *edit = qobject_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == ui->EditNam1)
            return EditNam1KeyPress(key);
        if (watched == ui->EditNam2)
            return EditNam2KeyPress(key);
        if (watched == ui->EditNam3)
            return EditNam3KeyPress(key);
        if (watched == ui->ReadyBitB && IsEnterKey(key->key())) {
            ui->ReadyBitB->click();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (edit)
            EditNamEnter(edit);
        break;
    case QEvent::FocusOut:
        if (edit)
            EditNamExit(edit);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmRegistrPupil::EditNam1KeyPress(QKeyEvent *e)
{
    return NameKeyPress(ui->EditNam1, ui->EditNam2, e);
}

bool TfrmRegistrPupil::EditNam2KeyPress(QKeyEvent *e)
{
    // Enter skips the team name and goes to the button.
    return NameKeyPress(ui->EditNam2, nullptr, e);
}

bool TfrmRegistrPupil::EditNam3KeyPress(QKeyEvent *e)
{
    if (IsEnterKey(e->key())) {
        ui->ReadyBitB->setFocus();
        return true;
    }
    return false;
}

bool TfrmRegistrPupil::NameKeyPress(QLineEdit *edit, QLineEdit *next, QKeyEvent *e)
{
    if (IsEnterKey(e->key())) {
        if (next)
            next->setFocus();
        else
            ui->ReadyBitB->setFocus();
        return true;
    }
    const int code = TypedCharCode(e);
    if (code < 0 || IsNameCharCode(code))
        return false;  // the field handles the key as usual
    BadNameChar(edit);
    return true;
}

void TfrmRegistrPupil::BadNameChar(QLineEdit *edit)
{
    dialogs::Beep();
    edit->setText(QString());
    ShowMessage(dialogs::Kind::Error, texts::kBadNameChar);
    // The typed character was replaced by a space, which arrives only now,
    // after the fields have been emptied.
    edit->insert(QStringLiteral(" "));
}

void TfrmRegistrPupil::EditNamEnter(QLineEdit *edit)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, kFocusColour);
    edit->setPalette(palette);
}

void TfrmRegistrPupil::EditNamExit(QLineEdit *edit)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, m_windowColour);
    edit->setPalette(palette);
}

// ---------------------------------------------------------------------------
// Sign-in

QString TfrmRegistrPupil::CleanName(const QString &text, bool raiseFirst)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    QString name = text.mid(begin, qMin(end - begin, kMaxNameLength));
    if (raiseFirst && !name.isEmpty()) {
        const ushort first = name.at(0).unicode();
        if (first >= 0x0430 && first <= 0x044F)  // а..я
            name[0] = QChar(ushort(first - 0x20));
    }
    return name;
}

void TfrmRegistrPupil::ReadyBitBClick()
{
    if (ui->EditNam1->text().isEmpty() && ui->EditNam2->text().isEmpty() && ui->EditNam3->text().isEmpty()) {
        ShowMessage(dialogs::Kind::Plain, texts::kEmptyName);
        return;
    }

    const QString surname = CleanName(ui->EditNam1->text(), true);
    ui->EditNam1->setText(surname);
    const QString firstName = CleanName(ui->EditNam2->text(), true);
    ui->EditNam2->setText(firstName);
    const QString team = CleanName(ui->EditNam3->text(), false);
    ui->EditNam3->setText(team);

    hide();
    if (frmPvPupil) {
        frmPvPupil->setWindowTitle(texts::kPupilCaptionPrefix + surname + QLatin1Char(' ') + firstName + QLatin1Char(' ') + team);
        ShowWorkWindow();
    }
    accept();
}

void TfrmRegistrPupil::ShowWorkWindow()
{
    QPointer<TfrmPvPupil> window = frmPvPupil;
    window->setWindowModality(Qt::ApplicationModal);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QEventLoop loop;
    connect(window.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    if (window)
        loop.exec(QEventLoop::DialogExec);
    // However its run ended, the work window does not outlive it.
    delete window.data();
}

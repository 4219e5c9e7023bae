#pragma once
// The sign-in dialog: surname and first name, or a team name.

#include "Dialogs.h"

#include <QColor>
#include <QDialog>
#include <QString>

namespace Ui {
class TfrmRegistrPupil;
}
class QKeyEvent;
class QLineEdit;

class TfrmRegistrPupil : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmRegistrPupil(QWidget *parent = nullptr);
    ~TfrmRegistrPupil() override;

    Ui::TfrmRegistrPupil *ui = nullptr;

    void FormActivate();

    // Key handlers of the three fields; true when the key is consumed.
    bool EditNam1KeyPress(QKeyEvent *e);
    bool EditNam2KeyPress(QKeyEvent *e);
    bool EditNam3KeyPress(QKeyEvent *e);
    // Focus colours of the three fields (Enter: yellow, Exit: window colour).
    void EditNamEnter(QLineEdit *edit);
    void EditNamExit(QLineEdit *edit);

    // Longest name kept at sign-in.
    static constexpr int kMaxNameLength = 20;

    // The code-page-1251 code of the character the key types, or -1 when
    // the key types no character (cursor keys, Delete, Tab, Shift+Insert...).
    // Characters the code page has no place for give a code above 255.
    static int TypedCharCode(const QKeyEvent *e);
    // Whether a code may be typed into the surname and first-name fields.
    static bool IsNameCharCode(int code);
    // Leading and trailing spaces and control characters removed, cut to the
    // longest name; with raiseFirst a small first letter а..я becomes capital.
    static QString CleanName(const QString &text, bool raiseFirst);

public slots:
    void ReadyBitBClick();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    bool NameKeyPress(QLineEdit *edit, QLineEdit *next, QKeyEvent *e);
    void BadNameChar(QLineEdit *edit);
    void ShowMessage(dialogs::Kind kind, const QString &text);
    void ShowWorkWindow();

    QColor m_windowColour;          // the fields' normal background
    bool m_activatedOnce = false;   // the first activation has run FormActivate
    bool m_inMessage = false;       // one of our message boxes is up
    bool m_leftForBox = false;      // the last deactivation went to our box
    bool m_leftForOwnWindow = false;  // ... or to another window of the program
};

// The dialog of the current sign-in (the hidden one made at start-up first).
extern TfrmRegistrPupil *frmRegistrPupil;

#pragma once
// "Конструктор заданий" (putevod --teacher): the teacher fills in a task,
// picks a saved algorithm as its reference, sees the sample it draws on a
// field, and saves the task file.

#include "editor/taskfile.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TaskMakerWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TaskMakerWindow(QWidget *parent = nullptr);

    // The teacher's actions.
    void ChooseReferenceClick();
    void OpenTaskClick();
    // Opens a task file for editing; false (after a message) when it cannot
    // be read. Its reference need not run.
    bool OpenTask(const QString &path);
    bool SaveTaskClick();
    // Draws the preview from the fields as they stand; says in the info line
    // why there is no sample when there is none.
    void UpdatePreview();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Reads the fields into *task. With report set, the first fault is shown
    // in a message box (the points panel's messages for the coordinates);
    // returns false on a fault.
    bool Gather(editor::TaskFile *task, bool report);
    bool ReadCoordinate(QLineEdit *edit, int *value, bool report);
    void Fill(const editor::TaskFile &task, const QString &fileName);
    void Changed();

    QLineEdit *title;
    QPlainTextEdit *statement;
    QComboBox *size;
    QLineEdit *ax, *ay, *bx, *by;
    QComboBox *direction;
    QCheckBox *useB;
    QLabel *referenceName;
    QLabel *preview;
    QLabel *info;
    QPushButton *save;

    QStringList reference;  // the chosen algorithm's lines
    bool modified = false;
    bool filling = false;   // Fill is setting the fields: no change to note
};

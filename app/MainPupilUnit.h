#pragma once
// The start window: banner, titles and the Start button.

#include <QMainWindow>

namespace Ui {
class TfrmMainPupil;
}
class QLabel;

class TfrmMainPupil : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMainPupil(QWidget *parent = nullptr);
    ~TfrmMainPupil() override;

    Ui::TfrmMainPupil *ui = nullptr;
    QLabel *panels[3] = {};  // the panels of StatusBar1
    bool visited = false;    // the work window has been open: one visit per run

private:
    // Lower by cut pixels, for a screen too low for the whole window.
    void CutToHeight(int cut);

public slots:
    void StartBitBClick();
};

extern TfrmMainPupil *frmMainPupil;


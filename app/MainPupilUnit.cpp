// The start window: banner, titles, the Start button and the status bar.
#include "MainPupilUnit.h"
#include "Resources.h"
#include "Texts.h"
#include "ui_MainPupilUnit.h"

#include "RegistrPupilUnit.h"
#include "field/fonts.h"
#include "field/layout.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

TfrmMainPupil *frmMainPupil = nullptr;

namespace {

// The window's outer size, frame and caption included.
const int kOuterWidth = 952;
const int kOuterHeight = field::kStartOuterHeight;
// Its client area.
const int kClientWidth = 944;
const int kClientHeight = 688;

const int kStatusBarHeight = 19;
const int kPanelWidths[3] = {250, 300, 150};

const QColor kMaroon(128, 0, 0);

QFont SerifFont(int pixels, bool bold)
{
    return PixelFont(field::FontFamily(field::Face::TimesNewRoman), pixels, bold);
}

QFont SmallSerifFont(int pixels)
{
    return PixelFont(field::FontFamily(field::Face::MsSerif), pixels, false);
}

void SetLabelLook(QLabel *label, const QFont &font, const QColor &colour)
{
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

// The pictures live in the static window library, which a program only
// links in when something refers to them: this does.
TfrmMainPupil::TfrmMainPupil(QWidget *parent) : QMainWindow(parent), ui(new Ui::TfrmMainPupil)
{
    InitImageResources();
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    setFixedSize(kClientWidth, kClientHeight);
    // A fixed window: no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // Titles.
    SetLabelLook(ui->Label4, SmallSerifFont(9), Qt::black);
    // The maker's web address, as given at build time; none, none shown.
    ui->Label4->setText(QStringLiteral(PUTEVOD_HOMEPAGE));
    ui->Label4->adjustSize();
    SetLabelLook(ui->TitleLab1, SerifFont(48, true), kMaroon);
    SetLabelLook(ui->Label2, SerifFont(35, true), kMaroon);
    SetLabelLook(ui->Label6, SerifFont(29, true), kMaroon);
    SetLabelLook(ui->Label7, SerifFont(35, true), kMaroon);
    SetLabelLook(ui->Label8, SerifFont(35, true), kMaroon);
    ui->Label4->raise();

    // The Start button: red check mark, grey when disabled.
    QIcon glyph;
    glyph.addPixmap(QPixmap(QStringLiteral(":/images/check_red.png")), QIcon::Normal);
    glyph.addPixmap(QPixmap(QStringLiteral(":/images/check_red_disabled.png")), QIcon::Disabled);
    ui->StartBitB->setIcon(glyph);
    ui->StartBitB->setFont(SerifFont(16, true));
    ui->StartBitB->setFocusPolicy(Qt::StrongFocus);
    connect(ui->StartBitB, &QPushButton::clicked, this, &TfrmMainPupil::StartBitBClick);

    // Status bar: three panels; the last one names the maker.
    ui->StatusBar1->setFixedHeight(kStatusBarHeight);
    ui->StatusBar1->setFont(SmallSerifFont(11));
    ui->StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(ui->StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(kPanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        ui->StatusBar1->addWidget(panel);
        panels[i] = panel;
    }
    panels[2]->setText(texts::kWorkshop);

    // Centred on the screen, frame included; the caption stays reachable.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        CutToHeight(field::StartWindowCut(area.height()));
        const int x = area.left() + (area.width() - kOuterWidth) / 2;
        const int y = area.top() + (area.height() - kOuterHeight) / 2;
        move(qMax(area.left(), x), qMax(area.top(), y));
    }
    ui->StartBitB->setFocus();
}

void TfrmMainPupil::CutToHeight(int cut)
{
    if (cut <= 0)
        return;
    // The banner loses rows of sky at its top; everything under it moves up.
    const QPixmap banner(QStringLiteral(":/images/banner.png"));
    ui->Image1->setPixmap(banner.copy(0, cut, banner.width(), banner.height() - cut));
    ui->Image1->resize(ui->Image1->width(), ui->Image1->height() - cut);
    for (QWidget *child : ui->centralwidget->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child != ui->Image1)
            child->move(child->x(), child->y() - cut);
    setFixedSize(kClientWidth, kClientHeight - cut);
}

TfrmMainPupil::~TfrmMainPupil()
{
    if (frmMainPupil == this)
        frmMainPupil = nullptr;
    delete ui;
}

void TfrmMainPupil::StartBitBClick()
{
    if (visited)
        return;
    ui->StartBitB->hide();
    panels[2]->setText(QString());

    frmRegistrPupil = new TfrmRegistrPupil(this);
    const int result = frmRegistrPupil->exec();
    if (result == QDialog::Accepted) {
        // The pupil has worked and closed the work window. The hidden button
        // would keep the focus and answer Space and Enter: nothing may open
        // the sign-in again.
        visited = true;
        ui->StartBitB->setEnabled(false);
        ui->StartBitB->setFocusPolicy(Qt::NoFocus);
        ui->StartBitB->clearFocus();
        return;
    }

    setWindowTitle(texts::kInvitation);
    ui->StartBitB->show();
    ui->StartBitB->setFocus();
}

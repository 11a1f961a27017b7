#include "ui/main/frmshowfig.h"

#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace korvell {

namespace {

// The picture the window starts with, before any figure has been loaded.
constexpr QSize StartSize(300, 200);

QPixmap StartPicture() {
    QPixmap p(StartSize);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.setPen(QPen(Qt::gray, 2));
    painter.drawRect(1, 1, 297, 197);
    // Black on the picture's own white: legible whatever the desktop's colors.
    painter.setPen(Qt::black);
    painter.drawText(p.rect(), Qt::AlignCenter, "No figure");
    return p;
}

} // namespace

FigureView::FigureView(QWidget* Parent) : QLabel(Parent) {
    setAlignment(Qt::AlignCenter);
    setMinimumSize(120, 80);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    Rescale();
}

bool FigureView::LoadPicture(const QString& Path) {
    QImageReader reader(Path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    Original = QPixmap::fromImage(image);
    Rescale();
    return true;
}

const QPixmap& FigureView::Picture() const {
    if (Original.isNull()) Original = StartPicture();
    return Original;
}

QSize FigureView::PictureSize() const {
    return Original.isNull() ? StartSize : Original.size();
}

QSize FigureView::sizeHint() const {
    return PictureSize();
}

void FigureView::resizeEvent(QResizeEvent* Event) {
    QLabel::resizeEvent(Event);
    Rescale();
}

void FigureView::showEvent(QShowEvent* Event) {
    QLabel::showEvent(Event);
    Rescale();
}

// Only a shown picture is scaled: the window is made at start-up and may
// never be shown.
void FigureView::Rescale() {
    if (!isVisible() || width() <= 0 || height() <= 0) return;
    const qreal ratio = devicePixelRatioF();
    QPixmap scaled =
        Picture().scaled(size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    setPixmap(scaled);
}

frmShowFig::frmShowFig(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmShowFig");
    setWindowTitle("Figure ");
    imgFig = new FigureView(this);
    imgFig->setObjectName("imgFig");
    imgFig->setAccessibleName("Figure");
    cmdClose = MakeButton(this, "cmdClose", "&Close ");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imgFig, 1);
    layout->addLayout(buttons);

    OnClick(this, cmdClose, &frmShowFig::cmdClose_Click);
    OnKey(this, Qt::Key_Escape, [this] { close(); });
    FitToPicture();
}

void frmShowFig::cmdClose_Click() {
    hide();
}

void frmShowFig::closeEvent(QCloseEvent* Event) {
    Event->ignore();
    Mod.Handle([this] { cmdClose_Click(); });
}

bool frmShowFig::LoadFigure(const QString& Path) {
    const QSize before = imgFig->PictureSize();
    if (!imgFig->LoadPicture(Path)) return false;
    if (imgFig->PictureSize() != before) FitToPicture();
    return true;
}

void frmShowFig::FitToPicture() {
    QSize want = imgFig->PictureSize() + QSize(24, 24 + cmdClose->sizeHint().height() + 12);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        want = want.boundedTo(room);
    }
    resize(want);
}

} // namespace korvell

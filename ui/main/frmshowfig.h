// The figure window: the picture of the most recent question with a figure.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

namespace korvell {

class modKorvell;

// A picture frame that scales its picture to fit, keeping its proportions.
class FigureView : public QLabel {
    Q_OBJECT
public:
    explicit FigureView(QWidget* Parent);
    // Replaces the picture with the one in Path; false (picture kept) when
    // the file is missing or is no readable picture.
    bool LoadPicture(const QString& Path);
    // The picture shown; before any figure, a start picture drawn when first
    // wanted (a window that is never shown does not draw it).
    const QPixmap& Picture() const;
    QSize PictureSize() const;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void Rescale();
    mutable QPixmap Original;
};

class frmShowFig : public QWidget {
    Q_OBJECT
public:
    explicit frmShowFig(modKorvell& Mod);

    modKorvell& Mod;
    FigureView* imgFig;
    QPushButton* cmdClose;

    void cmdClose_Click();
    // Loads the picture of a figure file; false when it cannot be read, in
    // which case the window keeps its previous picture.
    bool LoadFigure(const QString& Path);
    // Sizes the window to its picture, within the screen.
    void FitToPicture();

protected:
    // The frame's close control hides the window like "Close ".
    void closeEvent(QCloseEvent* Event) override;
};

} // namespace korvell

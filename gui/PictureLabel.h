#pragma once

#include <QLabel>
#include <QPixmap>

// A label whose picture fills it, drawn with every pixel the screen has for it. On a high-density screen
// the label covers more device pixels than the forms' pictures hold, and QLabel would enlarge them
// smoothly, which blurs them. Here a picture can bring a more detailed copy for such screens, and a
// picture with sharp edges (a QR code) is enlarged by repeating pixels, so its modules stay crisp
// squares a camera reads. Pictures that only shrink are drawn exactly as QLabel draws them.
class PictureLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QPixmap detailedPixmap READ detailedPixmap WRITE setDetailedPixmap)
    Q_PROPERTY(bool sharpEdges READ sharpEdges WRITE setSharpEdges)

public:
    explicit PictureLabel(QWidget* parent = nullptr);

    // The same picture as pixmap(), with more pixels; drawn where pixmap() has too few.
    QPixmap detailedPixmap() const { return detailed_; }
    void setDetailedPixmap(const QPixmap& picture);

    bool sharpEdges() const { return sharpEdges_; }
    void setSharpEdges(bool sharp);

    // The pixmap the picture is drawn from at this device pixel ratio.
    QPixmap sourceFor(qreal ratio) const;
    // The picture as it is drawn at the label's device pixel ratio: one pixel for each device pixel of
    // the contents, tagged with that ratio. Null when the label shows no scaled picture.
    QPixmap drawnPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect pictureRect() const;
    QSize devicePixels(qreal ratio) const;

    QPixmap detailed_;
    bool sharpEdges_ = false;

    // The last picture drawn, kept until the source or the size changes, as QLabel keeps its own.
    mutable QPixmap drawn_;
    mutable qint64 drawnFrom_ = 0;
};

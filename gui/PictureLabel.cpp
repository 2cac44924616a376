#include "PictureLabel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

PictureLabel::PictureLabel(QWidget* parent) : QLabel(parent) {}

void PictureLabel::setDetailedPixmap(const QPixmap& picture)
{
    detailed_ = picture;
    drawn_ = QPixmap();
    update();
}

void PictureLabel::setSharpEdges(bool sharp)
{
    sharpEdges_ = sharp;
    drawn_ = QPixmap();
    update();
}

QPixmap PictureLabel::sourceFor(qreal ratio) const
{
    const QPixmap picture = pixmap();
    const QSize needed = devicePixels(ratio);
    const bool tooFew = picture.width() < needed.width() || picture.height() < needed.height();
    return tooFew && !detailed_.isNull() ? detailed_ : picture;
}

QPixmap PictureLabel::drawnPicture() const
{
    const qreal ratio = devicePixelRatio();
    const QSize size = devicePixels(ratio);
    if (!hasScaledContents() || pixmap().isNull() || size.isEmpty())
        return QPixmap();

    const QPixmap source = sourceFor(ratio);
    if (drawn_.isNull() || drawnFrom_ != source.cacheKey() || drawn_.size() != size ||
        drawn_.devicePixelRatio() != ratio) {
        const bool enlarged = source.width() < size.width() || source.height() < size.height();
        const Qt::TransformationMode mode =
            sharpEdges_ && enlarged ? Qt::FastTransformation : Qt::SmoothTransformation;
        // Scaled as an image, the way QLabel scales it, so a picture that only shrinks comes out pixel for
        // pixel as it always did.
        drawn_ = QPixmap::fromImage(source.toImage().scaled(size, Qt::IgnoreAspectRatio, mode));
        drawn_.setDevicePixelRatio(ratio);
        drawnFrom_ = source.cacheKey();
    }
    return drawn_;
}

void PictureLabel::paintEvent(QPaintEvent* event)
{
    QPixmap picture = drawnPicture();
    if (picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    QStyleOption option;
    option.initFrom(this);
    if (!isEnabled())
        picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
    style()->drawItemPixmap(&painter, pictureRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                            picture);
}

// Where QLabel puts a scaled picture: the contents less the margin.
QRect PictureLabel::pictureRect() const
{
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

QSize PictureLabel::devicePixels(qreal ratio) const
{
    return pictureRect().size() * ratio;
}

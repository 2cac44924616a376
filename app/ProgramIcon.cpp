#include "app/ProgramIcon.h"

#include <QIconEngine>
#include <QList>
#include <QPainter>

namespace {

constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Stands for the icon read from the files, which it reads on the first request that needs a picture.
class DeferredProgramIcon : public QIconEngine
{
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return loaded().pixmap(size, scale, mode, state);
    }

    // Known without reading a file, so a platform can choose its sizes first.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        if (mode != QIcon::Normal || state != QIcon::Off)
            return {};
        QList<QSize> sizes;
        for (const int size : Sizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredProgramIcon"); }
    QIconEngine* clone() const override { return new DeferredProgramIcon(*this); }

private:
    const QIcon& loaded()
    {
        if (icon_.isNull()) {
            for (const int size : Sizes)
                icon_.addFile(QStringLiteral(":/icon/tolvane-%1.png").arg(size), QSize(size, size));
        }
        return icon_;
    }

    QIcon icon_;
};

} // namespace

QIcon programIcon()
{
    return QIcon(new DeferredProgramIcon);
}

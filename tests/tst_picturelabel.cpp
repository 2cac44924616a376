#include "PictureLabel.h"

#include <QImage>
#include <QTest>

namespace {

// Four colours in a 2 x 2 pattern, repeated: any blending between neighbours shows as a fifth colour.
QPixmap pattern(QSize size)
{
    const QRgb colours[2][2] = {{qRgb(200, 0, 0), qRgb(0, 0, 200)}, {qRgb(0, 160, 0), qRgb(250, 250, 250)}};
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, colours[y % 2][x % 2]);
    return QPixmap::fromImage(image);
}

QPixmap filled(QSize size, QColor colour)
{
    QPixmap picture(size);
    picture.fill(colour);
    return picture;
}

QImage shown(QLabel& label)
{
    return label.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPictureLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sharpPicturesAreEnlargedByRepeatingPixelsOthersAsQLabelDrawsThem_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("label");
        QTest::addColumn<bool>("sharp");
        QTest::addColumn<bool>("repeated");
        // The label's size in device pixels is what counts; these hold at every ratio up to 2.
        QTest::newRow("sharp, enlarged") << QSize(4, 4) << QSize(12, 12) << true << true;
        QTest::newRow("sharp, enlarged one way only") << QSize(4, 40) << QSize(12, 8) << true << true;
        QTest::newRow("sharp, shrunk") << QSize(40, 40) << QSize(8, 8) << true << false;
        QTest::newRow("smooth, enlarged") << QSize(4, 4) << QSize(12, 12) << false << false;
        QTest::newRow("smooth, shrunk") << QSize(40, 40) << QSize(8, 8) << false << false;
    }

    void sharpPicturesAreEnlargedByRepeatingPixelsOthersAsQLabelDrawsThem()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, label);
        QFETCH(bool, sharp);
        QFETCH(bool, repeated);

        PictureLabel drawn;
        drawn.setSharpEdges(sharp);
        drawn.setScaledContents(true);
        drawn.setPixmap(pattern(picture));
        drawn.resize(label);

        const qreal ratio = drawn.devicePixelRatio();
        QImage expected;
        if (repeated) {
            expected = pattern(picture).toImage().scaled(label * ratio, Qt::IgnoreAspectRatio,
                                                         Qt::FastTransformation);
            expected.setDevicePixelRatio(ratio);
        } else {
            QLabel plain;
            plain.setScaledContents(true);
            plain.setPixmap(pattern(picture));
            plain.resize(label);
            expected = shown(plain);
        }
        QCOMPARE(shown(drawn), expected.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(drawn.drawnPicture().toImage().convertToFormat(QImage::Format_RGB32),
                 expected.convertToFormat(QImage::Format_RGB32));
    }

    void detailedCopyIsDrawnOnlyWhereThePictureHasTooFewPixels_data()
    {
        QTest::addColumn<QSize>("label");
        QTest::addColumn<bool>("detailed");
        // The label's size in device pixels is what counts; these hold at every ratio up to 2.
        QTest::newRow("picture covers the label") << QSize(4, 4) << false;
        QTest::newRow("picture too narrow") << QSize(20, 4) << true;
        QTest::newRow("picture too short") << QSize(4, 20) << true;
    }

    void detailedCopyIsDrawnOnlyWhereThePictureHasTooFewPixels()
    {
        QFETCH(QSize, label);
        QFETCH(bool, detailed);
        const QPixmap picture = filled({10, 10}, Qt::red);
        const QPixmap copy = filled({40, 40}, Qt::blue);
        PictureLabel drawn;
        drawn.setScaledContents(true);
        drawn.setPixmap(picture);
        drawn.setDetailedPixmap(copy);
        drawn.resize(label);

        QCOMPARE(drawn.sourceFor(drawn.devicePixelRatio()).cacheKey(),
                 (detailed ? copy : picture).cacheKey());
        QCOMPARE(shown(drawn).pixelColor(1, 1), QColor(detailed ? Qt::blue : Qt::red));
        // The label's own pixmap stays the one it was given.
        QCOMPARE(drawn.pixmap().cacheKey(), picture.cacheKey());
    }

    void unscaledPicturesAndTextAreLeftToQLabel()
    {
        PictureLabel drawn;
        drawn.setPixmap(filled({4, 4}, Qt::red));
        drawn.resize(8, 8);
        QVERIFY(drawn.drawnPicture().isNull());
        drawn.setScaledContents(true);
        drawn.setText("text");
        QVERIFY(drawn.drawnPicture().isNull());
    }
};

QTEST_MAIN(TestPictureLabel)
#include "tst_picturelabel.moc"

// The card pictures and the list views that show them.
#include "tests/ui/UiTestSupport.h"
#include "ui/CardImages.h"
#include "ui/CardSlotView.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionViewItem>

using namespace quillory;

namespace {

bool IsRedInk(QRgb pixel) {
    return qAlpha(pixel) == 255 && qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 110;
}

int RedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += IsRedInk(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        const CardStrip strip = LoadCardStrip();
        QCOMPARE(strip.normal.size(), QSize(2080, 60));
        QCOMPARE(strip.doubleDensity.size(), QSize(4160, 120));
        QCOMPARE(m_images.Add(strip.normal, strip.doubleDensity), 52);
    }

    void everyPictureIsACardWithTransparentCornersAndAnOpaqueFace() {
        for (int i = 0; i < m_images.Count(); ++i) {
            const QImage face = m_images.Picture(i).toImage();
            QCOMPARE(face.size(), CardImages::kPictureSize);
            QCOMPARE(qAlpha(face.pixel(0, 0)), 0); // black is the mask colour
            QCOMPARE(qAlpha(face.pixel(39, 59)), 0);
            for (const QPoint inside :
                 {QPoint(20, 5), QPoint(5, 30), QPoint(34, 30), QPoint(20, 55)}) {
                QCOMPARE(qAlpha(face.pixel(inside)), 255);
            }
        }
    }

    void heartsAndDiamondsAreRedAndSpadesAndClubsAreNot() {
        for (int i = 0; i < 52; ++i) {
            const int suit = i / 13;
            const int red = RedPixels(m_images.Picture(i).toImage());
            if (suit == 1 || suit == 3) {
                QVERIFY2(red > 60, qPrintable(CardPictureName(i)));
            } else {
                QVERIFY2(red == 0, qPrintable(CardPictureName(i)));
            }
        }
    }

    void picturesFitFractionalScreensSmoothlyAndUseTheDoubleStripAtTwo() {
        // One to one at every scale: the picture has exactly the device pixels
        // of a 40 x 60 slot.
        for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
            const QPixmap picture = m_images.Picture(13, ratio);
            QCOMPARE(picture.size(), QSize(qRound(40 * ratio), qRound(60 * ratio)));
            QCOMPARE(picture.devicePixelRatio(), ratio);
            const QImage face = picture.toImage();
            QCOMPARE(qAlpha(face.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(face.pixel(face.width() / 2, face.height() / 2)), 255);
            QVERIFY(RedPixels(face) > 60 * ratio * ratio);
        }
        // At 2 the double strip's picture as it is, its pure black pixels
        // transparent.
        const QImage doubled = LoadCardStrip().doubleDensity.copy(2 * 13 * 40, 0, 80, 120);
        const QImage atTwo = m_images.Picture(13, 2.0).toImage();
        int same = 0;
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 80; ++x) {
                const QRgb pixel = doubled.pixel(x, y);
                same += atTwo.pixel(x, y) == ((pixel & 0xFFFFFFu) == 0 ? 0u : pixel) ? 1 : 0;
            }
        }
        QCOMPARE(same, 80 * 120);
        // Smoothly scaled: at 1.5 the edge of the face blends into the
        // transparent corner instead of stepping from opaque to clear.
        const QImage half = m_images.Picture(13, 1.5).toImage();
        bool blended = false;
        for (int x = 0; x < half.width() && !blended; ++x) {
            const int alpha = qAlpha(half.pixel(x, 1));
            blended = alpha > 0 && alpha < 255;
        }
        QVERIFY(blended);
        QVERIFY(m_images.Picture(52, 1.5).isNull());
        QVERIFY(m_images.Picture(-1).isNull());
    }

    void cardViewPaintsThePictureOneToOneAtAFractionalScale() {
        CardSlotView view(m_images);
        view.resize(92, 90);
        view.ShowCard(22);
        QImage canvas(qRound(92 * 1.5), qRound(90 * 1.5), QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(1.5);
        canvas.fill(Qt::white);
        // The view's own painting, as on a screen of 1.5 device pixels per
        // pixel.
        QStyleOptionViewItem option;
        option.initFrom(view.viewport());
        option.widget = &view;
        option.rect = view.visualRect(view.model()->index(0, 0));
        QPainter painter(&canvas);
        view.itemDelegate()->paint(&painter, option, view.model()->index(0, 0));
        painter.end();
        // Device pixel for device pixel the card is the scaled picture, so
        // nothing resampled it a second time.
        QImage picture = m_images.Picture(22, 1.5).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
        const int left = qRound((view.viewport()->width() - 40) / 2 * 1.5);
        const int top = qRound((option.rect.top() + (option.rect.height() - 60) / 2) * 1.5);
        int same = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb shown = canvas.pixel(left + x, top + y);
                same += qAlpha(picture.pixel(x, y)) < 255 || shown == picture.pixel(x, y) ? 1 : 0;
            }
        }
        QCOMPARE(same, picture.width() * picture.height());
    }

    void programIconHasEverySize() {
        const QIcon icon = ProgramIcon();
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                     qPrintable(QString::number(size)));
        }
    }

    void cardViewShowsItsPictureCentredOnTheFelt() {
        CardSlotView view(m_images);
        view.resize(92, 90);
        view.show();
        const QImage empty = view.grab().toImage();
        view.ShowCard(51);
        QCOMPARE(view.Image(), 51);
        QCOMPARE(view.item(0, 0)->toolTip(), QStringLiteral("king of diamonds"));
        // The cell, and so its tooltip, covers the whole slot.
        QCOMPARE(view.visualRect(view.model()->index(0, 0)), view.viewport()->rect());
        const QImage shown = view.grab().toImage();
        const QPoint centre(view.width() / 2, view.height() / 2);
        QVERIFY(shown.pixel(centre) != empty.pixel(centre));
        // The card lies within the view, with felt around it.
        QCOMPARE(empty.pixel(2, 2), qRgb(0x1f, 0x5e, 0x3b));
        QCOMPARE(shown.pixel(2, 2), empty.pixel(2, 2));
        QVERIFY(!view.horizontalHeader()->isVisible());
    }

private:
    CardImages m_images;
};

QUILLORY_UI_TEST_MAIN(PicturesTest)
#include "PicturesTest.moc"

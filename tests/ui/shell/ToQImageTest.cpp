// The QImage wrap of the device form: shared memory, right colours, unpadded rows.
#include "ui/shell/ToQImage.h"

#include <QTest>

// A 3 × 2 8-bit packed DIB with two palette entries; the bottom row uses index 7, beyond them.
// clang-format off
const uint8_t kIndexedDib[] = {
    40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, // size, width, height, planes, bits
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    2, 0, 0, 0, 0, 0, 0, 0,                          // two colours used
    30, 20, 10, 0, 50, 100, 200, 0,                  // the palette
    7, 0, 1, 0, 1, 0, 1, 0};                         // bottom row, top row
// clang-format on

class ToQImageTest : public QObject {
    Q_OBJECT
private slots:
    void trueColorSharesTheWords() {
        CDibImage image;
        QVERIFY(image.CreateBlank(3, 2, 0));
        image.Fill(0x102030);
        image.Bits()[5] = 0xFFC86432u; // bottom right
        const QImage wrapped = ToQImage(image);
        QCOMPARE(wrapped.format(), QImage::Format_RGB32);
        QCOMPARE(wrapped.size(), QSize(3, 2));
        QCOMPARE(wrapped.constBits(),
                 reinterpret_cast<const uchar*>(image.TrueColorPixels().data()));
        QCOMPARE(wrapped.pixel(0, 0), qRgb(0x10, 0x20, 0x30));
        QCOMPARE(wrapped.pixel(2, 1), qRgb(200, 100, 50));
    }

    void indexedSharesTheIndicesAndShowsTheTable() {
        CDibImage image;
        QVERIFY(image.AdoptDib(kIndexedDib, sizeof kIndexedDib, nullptr, 0));
        const QImage wrapped = ToQImage(image);
        QCOMPARE(wrapped.format(), QImage::Format_Indexed8);
        QCOMPARE(wrapped.constBits(), image.Indices());
        QCOMPARE(wrapped.bytesPerLine(), qsizetype(3));
        QCOMPARE(wrapped.colorCount(), 256);
        const QImage shown = wrapped.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(0, 0), qRgb(200, 100, 50));
        QCOMPARE(shown.pixel(1, 0), qRgb(10, 20, 30));
        QCOMPARE(shown.pixel(0, 1), qRgb(0, 0, 0)); // beyond the palette
        QCOMPARE(shown.pixel(2, 1), qRgb(200, 100, 50));
    }

    void emptyBufferGivesANullImage() { QVERIFY(ToQImage(CDibImage()).isNull()); }
};

QTEST_MAIN(ToQImageTest)
#include "ToQImageTest.moc"

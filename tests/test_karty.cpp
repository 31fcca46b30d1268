// Card vocabulary and the embedded card pictures.
#include "karty.h"
#include "ovladace.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

class TestKarty : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { InitCardPictures(); }

    void pictureNames()
    {
        QCOMPARE(CardResourceName(0), QStringLiteral("CERVENA7"));
        QCOMPARE(CardResourceName(3), QStringLiteral("CERVENA10"));
        QCOMPARE(CardResourceName(6), QStringLiteral("CERVENAK"));
        QCOMPARE(CardResourceName(12), QStringLiteral("ZALUDYS"));
        QCOMPARE(CardResourceName(21), QStringLiteral("KULEF"));
        QCOMPARE(CardResourceName(31), QStringLiteral("ZELENAE"));
        QCOMPARE(CardResourceName(NoCard), QStringLiteral("PRAZDNE"));
        // Every code has its own name, built from suit and rank.
        const char *suits[4] = {"CERVENA", "ZALUDY", "KULE", "ZELENA"};
        const char *ranks[8] = {"7", "8", "9", "10", "S", "F", "K", "E"};
        for (int c = 0; c < 32; ++c)
            QCOMPARE(CardResourceName(TCard(c)), QString::fromLatin1(suits[c / 8]) + QString::fromLatin1(ranks[c % 8]));
    }

    void contractNames()
    {
        const QStringList expected = {"Červené", "Filky", "Pr-Po", "Všechny", "Červený král",
                                      "Kvarty", "Desítky", "Maturita", ""};
        for (int c = 0; c <= 8; ++c) QCOMPARE(ContractName(c), expected[c]);
        QVERIFY(ContractName(8).isEmpty());
        QVERIFY(ContractName(4) != QStringLiteral("Červený Král"));
    }

    void descriptions()
    {
        QCOMPARE(PictureDescription("CERVENA7"), QStringLiteral("červené 7"));
        QCOMPARE(PictureDescription("ZALUDY10"), QStringLiteral("žaludy 10"));
        QCOMPARE(PictureDescription("KULES"), QStringLiteral("kule spodek"));
        QCOMPARE(PictureDescription("ZELENAF"), QStringLiteral("zelené filek"));
        QCOMPARE(PictureDescription("CERVENAK"), QStringLiteral("červené král"));
        QCOMPARE(PictureDescription("ZELENAE"), QStringLiteral("zelené eso"));
        QCOMPARE(PictureDescription("PRAZDNE"), QStringLiteral("prázdné"));
        QCOMPARE(PictureDescription("RUB"), QStringLiteral("rub"));
    }

    void distanceWeight()
    {
        const int expected[] = {0, 1, 2, 4, 8, 0, 0};
        for (int n = -1; n <= 5; ++n) QCOMPARE(DistanceWeight(n), expected[n + 1]);
        QCOMPARE(DistanceWeight(-4), 0);
    }

    void paintedFaces()
    {
        // Small cards are stretched at every paint, large ones keep their stretched picture:
        // one image taken through changes of picture and size paints as a new one would, with
        // the corners in the board's colour.
        QWidget board;
        board.setBackgroundRole(QPalette::Button);
        const QRgb boardColour = board.palette().color(QPalette::Button).rgb();
        TImage im(&board);
        auto paint = [](TImage &image) { return image.grab().toImage().convertToFormat(QImage::Format_RGB32); };
        for (const char *name : {"CERVENA7", "ZELENAK", "CERVENA7"})
            for (QSize size : {QSize(72, 121), QSize(384, 450), QSize(300, 520), QSize(80, 130)}) {
                im.resize(size);
                im.LoadPicture(QString::fromLatin1(name));
                TImage fresh(&board);
                fresh.resize(size);
                fresh.LoadPicture(QString::fromLatin1(name));
                const QImage img = paint(im);
                QCOMPARE(img, paint(fresh));
                const int w = size.width() - 1, h = size.height() - 1;
                for (QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
                    QCOMPARE(img.pixel(corner), boardColour);
                fresh.LoadPicture(QStringLiteral("ZELENAE"));
                QVERIFY(paint(fresh) != img);
            }
    }

    void pictureFiles_data()
    {
        QTest::addColumn<QString>("name");
        for (int c = 0; c <= 32; ++c) QTest::newRow(qPrintable(CardResourceName(TCard(c)))) << CardResourceName(TCard(c));
    }

    void pictureFiles()
    {
        QFETCH(QString, name);
        QFile f(QStringLiteral(":/cards/%1.bmp").arg(name));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray b = f.readAll();
        auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
        auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
        auto i32 = [&](int at) { return qFromLittleEndian<qint32>(b.constData() + at); };
        QCOMPARE(b.size(), 14 + 14864);
        QCOMPARE(b.left(2), QByteArray("BM"));
        QCOMPARE(u32(2), quint32(b.size()));
        QCOMPARE(u32(10), quint32(14 + 40 + 1024));  // pixels follow the colour table
        QCOMPARE(u32(14), quint32(40));              // information header size
        QCOMPARE(i32(18), 90);
        QCOMPARE(i32(22), 150);                      // positive: rows bottom-up
        QCOMPARE(u16(26), quint16(1));
        QCOMPARE(u16(28), quint16(8));
        QCOMPARE(u32(30), quint32(0));               // uncompressed
        const quint32 used = u32(46);
        QVERIFY(used == 0 || used == 256);
        // Rows padded to 92 bytes: the two padding bytes of every row are zero.
        for (int row = 0; row < 150; ++row) {
            const int at = 1078 + row * 92;
            QCOMPARE(int(uchar(b[at + 90])), 0);
            QCOMPARE(int(uchar(b[at + 91])), 0);
        }
        QImage img;
        QVERIFY(img.loadFromData(b, "BMP"));
        QCOMPARE(img.size(), QSize(90, 150));
        if (name == QLatin1String("PRAZDNE")) {
            for (int y = 0; y < 150; ++y)
                for (int x = 0; x < 90; ++x) QCOMPARE(img.pixel(x, y), qRgb(0xA0, 0xA0, 0xA4));
        } else {
            // A real card is not a flat field: it carries many colours.
            QSet<QRgb> colours;
            for (int y = 0; y < 150; y += 3)
                for (int x = 0; x < 90; x += 3) colours.insert(img.pixel(x, y));
            QVERIFY2(colours.size() > 8, qPrintable(name));
        }
    }

    void cardsDiffer()
    {
        // No two pictures are the same, so every card can be told apart.
        QSet<QByteArray> seen;
        for (int c = 0; c <= 32; ++c) {
            QFile f(QStringLiteral(":/cards/%1.bmp").arg(CardResourceName(TCard(c))));
            QVERIFY(f.open(QIODevice::ReadOnly));
            seen.insert(f.readAll());
        }
        QCOMPARE(seen.size(), 33);
        QVERIFY(QFile::exists(":/RUB.bmp"));
    }
};

QTEST_MAIN(TestKarty)
#include "test_karty.moc"

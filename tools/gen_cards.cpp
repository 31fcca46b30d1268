// Tamsa card picture generator.
//
// Draws the 32-card German-suited deck, the empty place, the card back and the
// application icon with QPainter, and writes them to OUTPUT_DIR:
//
//   cards/NAME.bmp      90x150, 8-bit palettised BMP (one shared palette)
//   RUB.bmp             card back, same format
//   cards2x/NAME.png    180x300 RGBA
//   cards3x/NAME.png    270x450 RGBA
//   icons/tamsa-{48,128,256}.png, icons/tamsa.svg
//   tamsa.qrc
//
// With --same it compares what it wrote with the committed pictures instead.
//
// No fonts are used: the corner indices are drawn from our own stroked glyph
// outlines, so the output depends only on Qt's rasteriser. Everything is
// deterministic; running the tool twice produces byte-identical files.
//
// All card drawing happens in a 90x150 "card unit" coordinate system; each
// output size just scales the painter. Pictures are rendered supersampled and
// scaled down with an area filter.


#include "cardgen.h"

#include <QDir>
#include <QTextStream>

#include <cstdio>

using namespace cardgen;

int main(int argc, char **argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--same")
        return samePictures(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR | --same WRITTEN_DIR COMMITTED_DIR\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir dir(outDir);
    for (const char *sub : {"cards", "cards2x", "cards3x", "icons"}) {
        if (!dir.mkpath(QString::fromLatin1(sub))) {
            std::fprintf(stderr, "cannot create %s/%s\n", qPrintable(outDir), sub);
            return 1;
        }
    }

    std::vector<Picture> pictures;
    for (Suit s : kSuits)
        for (Rank r : kRanks)
            pictures.push_back({QString::fromLatin1(suitName(s)) + QString::fromLatin1(rankName(r)),
                                Kind::Card, s, r});
    pictures.push_back({QStringLiteral("PRAZDNE"), Kind::Empty});
    const Picture back{QStringLiteral("RUB"), Kind::Back};

    // 1) 8-bit BMPs with a shared palette
    std::vector<Picture> bmpPictures = pictures;
    bmpPictures.push_back(back);
    std::vector<QImage> small;
    for (const Picture &pic : bmpPictures)
        small.push_back(flatten(renderCard(pic, kCardW, kCardH, 4), kBmpCorner));

    const std::vector<Rgb> fixed = {{kEmptyGrey.red(), kEmptyGrey.green(), kEmptyGrey.blue()},
                                    {kFace.red(), kFace.green(), kFace.blue()},
                                    {kBorder.red(), kBorder.green(), kBorder.blue()}};
    const std::vector<Rgb> palette = buildPalette(small, fixed);

    bool ok = true;
    double worst = 0;
    QString worstName;
    for (size_t i = 0; i < bmpPictures.size(); ++i) {
        const Picture &pic = bmpPictures[i];
        const QString path = pic.kind == Kind::Back ? dir.filePath(QStringLiteral("RUB.bmp"))
                                                    : dir.filePath(QStringLiteral("cards/") +
                                                                   pic.name + QStringLiteral(".bmp"));
        double err = 0;
        ok &= writeBmp(small[i], palette, path, pic.kind == Kind::Empty, err);
        if (err > worst) {
            worst = err;
            worstName = pic.name;
        }
    }
    std::printf("palette: worst mean quantisation error %.2f (%s)\n", worst, qPrintable(worstName));

    // 2) sharper PNGs
    std::vector<Picture> pngPictures = pictures;
    pngPictures.push_back(back);
    for (const Picture &pic : pngPictures) {
        ok &= savePng(renderCard(pic, kCardW * 2, kCardH * 2, 2),
                      dir.filePath(QStringLiteral("cards2x/") + pic.name + QStringLiteral(".png")));
        ok &= savePng(renderCard(pic, kCardW * 3, kCardH * 3, 2),
                      dir.filePath(QStringLiteral("cards3x/") + pic.name + QStringLiteral(".png")));
    }

    // 3) application icon
    for (int size : {48, 128, 256}) {
        const QImage icon = renderScaled(drawIcon, size, size, 100, 100, 4);
        ok &= savePng(icon, dir.filePath(QStringLiteral("icons/tamsa-%1.png").arg(size)));
    }
    ok &= writeFile(dir.filePath(QStringLiteral("icons/tamsa.svg")), iconSvg());

    // 4) resource collection
    QString qrc;
    QTextStream q(&qrc);
    q << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const Picture &pic : pictures)
        q << "    <file>cards/" << pic.name << ".bmp</file>\n";
    q << "    <file>RUB.bmp</file>\n";
    for (const char *sub : {"cards2x", "cards3x"})
        for (const Picture &pic : pngPictures)
            q << "    <file>" << sub << '/' << pic.name << ".png</file>\n";
    q << "    <file>icons/tamsa-256.png</file>\n";
    q << "    <file>icons/tamsa-48.png</file>\n";
    q << "</qresource>\n</RCC>\n";
    q.flush();
    ok &= writeFile(dir.filePath(QStringLiteral("tamsa.qrc")), qrc.toUtf8());

    if (!ok) {
        std::fprintf(stderr, "generation failed\n");
        return 1;
    }
    std::printf("wrote %zu pictures to %s\n", bmpPictures.size(), qPrintable(outDir));
    return 0;
}

// Rendering a picture at a pixel size, the palette shared by every BMP, and the files.
#include "cardgen.h"

#include <QFile>
#include <QHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace cardgen {

// ---------------------------------------------------------------------------
// Rendering a picture at a given pixel size
// ---------------------------------------------------------------------------

void drawPicture(QPainter &p, const Picture &pic)
{
    switch (pic.kind) {
    case Kind::Empty:
        p.fillRect(QRectF(0, 0, kCardW, kCardH), kEmptyGrey);
        return;
    case Kind::Back:
        drawBack(p);
        return;
    case Kind::Card: break;
    }
    drawBlankFace(p);
    switch (pic.rank) {
    case Rank::Spodek: drawFigureCard(p, pic.suit, Figure::Spodek); break;
    case Rank::Filek: drawFigureCard(p, pic.suit, Figure::Filek); break;
    case Rank::Kral: drawFigureCard(p, pic.suit, Figure::Kral); break;
    case Rank::Eso: drawAce(p, pic.suit); break;
    default: drawPips(p, pic.suit, pic.rank); break;
    }
    drawIndices(p, pic.suit, pic.rank);
}

// Renders with `supersample` times the resolution and scales down with
// Qt's area-averaging smooth scaler. Result: ARGB32 premultiplied.
QImage renderScaled(const std::function<void(QPainter &)> &draw, int w, int h, qreal unitsW,
                    qreal unitsH, int supersample)
{
    QImage big(w * supersample, h * supersample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(big.width() / unitsW, big.height() / unitsH);
        draw(p);
    }
    if (supersample == 1)
        return big;
    return big.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage renderCard(const Picture &pic, int w, int h, int supersample)
{
    if (pic.kind == Kind::Empty) {
        // exact uniform colour, no filtering
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(kEmptyGrey);
        return img;
    }
    return renderScaled([&](QPainter &p) { drawPicture(p, pic); }, w, h, kCardW, kCardH,
                        supersample);
}

// Flattens onto an opaque background colour.
QImage flatten(const QImage &img, const QColor &bg)
{
    QImage out(img.size(), QImage::Format_RGB32);
    out.fill(bg);
    QPainter p(&out);
    p.drawImage(0, 0, img);
    return out;
}

// ---------------------------------------------------------------------------
// Palette: a few fixed colours plus a median cut over the pixels of all
// pictures, refined by k-means. Shared by every BMP.
// ---------------------------------------------------------------------------

inline int distance2(const Rgb &a, const Rgb &b)
{
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

struct HistEntry {
    Rgb c;
    int count;
};

int nearestIndex(const std::vector<Rgb> &pal, const Rgb &c)
{
    int best = 0, bestD = INT32_MAX;
    for (int i = 0; i < int(pal.size()); ++i) {
        const int d = distance2(pal[i], c);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

std::vector<Rgb> buildPalette(const std::vector<QImage> &images, const std::vector<Rgb> &fixed)
{
    QHash<QRgb, int> counts;
    for (const QImage &img : images)
        for (int y = 0; y < img.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                ++counts[line[x] | 0xFF000000u];
        }
    std::vector<HistEntry> hist;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const Rgb c{qRed(it.key()), qGreen(it.key()), qBlue(it.key())};
        bool isFixed = false;
        for (const Rgb &f : fixed)
            isFixed |= (f.r == c.r && f.g == c.g && f.b == c.b);
        if (!isFixed)
            hist.push_back({c, it.value()});
    }
    // QHash order is not stable; sort for determinism
    std::sort(hist.begin(), hist.end(), [](const HistEntry &a, const HistEntry &b) {
        return std::tie(a.c.r, a.c.g, a.c.b) < std::tie(b.c.r, b.c.g, b.c.b);
    });

    // median cut: split the box with the largest weighted spread
    struct Box {
        int begin, end;
    };
    auto channel = [](const Rgb &c, int ch) { return ch == 0 ? c.r : ch == 1 ? c.g : c.b; };
    auto spread = [&](const Box &b, int &bestCh) {
        double best = -1;
        for (int ch = 0; ch < 3; ++ch) {
            double sum = 0, sum2 = 0, n = 0;
            for (int i = b.begin; i < b.end; ++i) {
                const double v = channel(hist[i].c, ch);
                sum += v * hist[i].count;
                sum2 += v * v * hist[i].count;
                n += hist[i].count;
            }
            const double sse = sum2 - sum * sum / std::max(n, 1.0);
            const double w = ch == 1 ? 4 : ch == 0 ? 3 : 2;
            if (sse * w > best) {
                best = sse * w;
                bestCh = ch;
            }
        }
        return best;
    };
    const int wanted = 256 - int(fixed.size());
    std::vector<Box> boxes{{0, int(hist.size())}};
    while (int(boxes.size()) < wanted) {
        int pick = -1, pickCh = 0;
        double pickSpread = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].end - boxes[i].begin < 2)
                continue;
            int ch = 0;
            const double s = spread(boxes[i], ch);
            if (s > pickSpread) {
                pickSpread = s;
                pick = i;
                pickCh = ch;
            }
        }
        if (pick < 0)
            break;
        Box b = boxes[pick];
        std::stable_sort(hist.begin() + b.begin, hist.begin() + b.end,
                         [&](const HistEntry &x, const HistEntry &y) {
                             return channel(x.c, pickCh) < channel(y.c, pickCh);
                         });
        long total = 0;
        for (int i = b.begin; i < b.end; ++i)
            total += hist[i].count;
        long acc = 0;
        int cut = b.begin + 1;
        for (int i = b.begin; i < b.end - 1; ++i) {
            acc += hist[i].count;
            cut = i + 1;
            if (acc * 2 >= total)
                break;
        }
        boxes[pick] = {b.begin, cut};
        boxes.push_back({cut, b.end});
    }

    std::vector<Rgb> pal = fixed;
    for (const Box &b : boxes) {
        double r = 0, g = 0, bl = 0, n = 0;
        for (int i = b.begin; i < b.end; ++i) {
            r += hist[i].c.r * double(hist[i].count);
            g += hist[i].c.g * double(hist[i].count);
            bl += hist[i].c.b * double(hist[i].count);
            n += hist[i].count;
        }
        pal.push_back({int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(bl / n))});
    }

    // k-means refinement; the fixed colours stay put
    std::vector<int> assign(hist.size());
    for (int iter = 0; iter < 12; ++iter) {
        for (size_t i = 0; i < hist.size(); ++i)
            assign[i] = nearestIndex(pal, hist[i].c);
        std::vector<double> sr(pal.size()), sg(pal.size()), sb(pal.size()), sn(pal.size());
        for (size_t i = 0; i < hist.size(); ++i) {
            const int k = assign[i];
            sr[k] += hist[i].c.r * double(hist[i].count);
            sg[k] += hist[i].c.g * double(hist[i].count);
            sb[k] += hist[i].c.b * double(hist[i].count);
            sn[k] += hist[i].count;
        }
        for (size_t k = fixed.size(); k < pal.size(); ++k)
            if (sn[k] > 0)
                pal[k] = {int(std::lround(sr[k] / sn[k])), int(std::lround(sg[k] / sn[k])),
                          int(std::lround(sb[k] / sn[k]))};
    }
    while (pal.size() < 256)
        pal.push_back({0, 0, 0});
    return pal;
}

// ---------------------------------------------------------------------------
// Output files
// ---------------------------------------------------------------------------

constexpr int kBmpRowBytes = (kCardW + 3) / 4 * 4;  // 92
constexpr int kBmpPixelOffset = 14 + 40 + 256 * 4;  // 1078
constexpr int kBmpImageBytes = kBmpRowBytes * kCardH;                 // 13800
constexpr int kBmpFileBytes = kBmpPixelOffset + kBmpImageBytes;       // 14878

// Maps every pixel to its nearest palette entry; Qt's BMP writer then stores an 8-bit
// picture as an uncompressed bottom-up BMP with the whole 256-entry colour table.
QImage quantise(const QImage &img, const std::vector<Rgb> &pal, double &meanErr)
{
    static QHash<QRgb, int> cache;  // the palette is the same for every picture of a run
    QImage out(kCardW, kCardH, QImage::Format_Indexed8);
    // The writer stores each row's padding as it finds it in memory, and QImage::fill leaves
    // the padding alone: clear every byte, so that two runs write the same file.
    std::memset(out.bits(), 0, size_t(out.sizeInBytes()));
    QList<QRgb> table;
    for (const Rgb &c : pal)
        table << qRgb(c.r, c.g, c.b);
    out.setColorTable(table);
    out.setDotsPerMeterX(2835);
    out.setDotsPerMeterY(2835);
    double err = 0;
    for (int y = 0; y < kCardH; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        uchar *dst = out.scanLine(y);
        for (int x = 0; x < kCardW; ++x) {
            const QRgb px = line[x] | 0xFF000000u;
            auto it = cache.find(px);
            if (it == cache.end())
                it = cache.insert(px, nearestIndex(pal, {qRed(px), qGreen(px), qBlue(px)}));
            dst[x] = uchar(it.value());
            err += std::sqrt(double(distance2(pal[it.value()], {qRed(px), qGreen(px), qBlue(px)})));
        }
    }
    meanErr = err / (kCardW * kCardH);
    return out;
}

// Reads a written BMP back and checks the fixed layout, and that it decodes to the picture.
bool checkBmp(const QString &path, const QImage &expected, bool uniformEmpty)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray d = f.readAll();
    auto u16 = [&](int off) { return uint32_t(uchar(d[off])) | uint32_t(uchar(d[off + 1])) << 8; };
    auto u32 = [&](int off) { return u16(off) | u16(off + 2) << 16; };
    bool ok = d.size() == kBmpFileBytes && d.startsWith("BM") &&
              u32(2) == uint32_t(kBmpFileBytes) && u32(10) == uint32_t(kBmpPixelOffset) &&
              u32(14) == 40 && u32(18) == uint32_t(kCardW) && u32(22) == uint32_t(kCardH) &&
              u16(28) == 8 && u32(30) == 0 && u32(34) == uint32_t(kBmpImageBytes) &&
              u32(46) == 256;
    const QImage back(path);
    ok = ok && back.format() == QImage::Format_Indexed8 && back.colorCount() == 256 &&
         back.convertToFormat(QImage::Format_RGB32) == expected.convertToFormat(QImage::Format_RGB32);
    if (ok && uniformEmpty) {
        for (int y = 0; y < kCardH && ok; ++y)
            for (int x = 0; x < kCardW && ok; ++x)
                ok = back.pixel(x, y) == qRgb(0xA0, 0xA0, 0xA4);
    }
    if (!ok)
        std::fprintf(stderr, "self-check failed for %s\n", qPrintable(path));
    return ok;
}

bool writeBmp(const QImage &img, const std::vector<Rgb> &pal, const QString &path,
              bool uniformEmpty, double &meanErr)
{
    const QImage indexed = quantise(img, pal, meanErr);
    QImageWriter w(path, "bmp");
    if (!w.write(indexed)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(w.errorString()));
        return false;
    }
    return checkBmp(path, indexed, uniformEmpty);
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return f.write(data) == data.size();
}

bool savePng(const QImage &img, const QString &path)
{
    QImage out = img.hasAlphaChannel() ? img.convertToFormat(QImage::Format_ARGB32)
                                       : img.convertToFormat(QImage::Format_RGB32);
    out.setDotsPerMeterX(2835 * out.width() / kCardW);
    out.setDotsPerMeterY(2835 * out.width() / kCardW);
    QImageWriter w(path, "png");
    w.setQuality(0);  // maximum zlib compression
    if (!w.write(out)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(w.errorString()));
        return false;
    }
    return true;
}

// Qt's premultiplied-alpha conversions round differently on different processors, so a PNG
// may differ from another machine's by one level where a picture is translucent (its rounded
// corners); the BMPs are quantised to one palette and match byte for byte.
bool samePictures(const QString &written, const QString &committed)
{
    const QDir dir(QDir(written).absolutePath());
    bool same = true;
    int count = 0;
    QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next(), name = dir.relativeFilePath(path);
        const QString other = QDir(committed).filePath(name);
        QFile a(path), b(other);
        ++count;
        if (!b.open(QIODevice::ReadOnly) || !a.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "not committed: %s\n", qPrintable(name));
            same = false;
            continue;
        }
        const QByteArray bytesA = a.readAll(), bytesB = b.readAll();
        if (bytesA == bytesB) continue;
        bool near = false;
        if (name.endsWith(QLatin1String(".png"))) {
            const QImage x = QImage::fromData(bytesA).convertToFormat(QImage::Format_ARGB32);
            const QImage y = QImage::fromData(bytesB).convertToFormat(QImage::Format_ARGB32);
            near = !x.isNull() && x.size() == y.size();
            for (int row = 0; near && row < x.height(); ++row) {
                const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
                const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
                for (int col = 0; near && col < x.width(); ++col)
                    near = std::abs(qRed(p[col]) - qRed(q[col])) <= 1 && std::abs(qGreen(p[col]) - qGreen(q[col])) <= 1 &&
                           std::abs(qBlue(p[col]) - qBlue(q[col])) <= 1 && std::abs(qAlpha(p[col]) - qAlpha(q[col])) <= 1;
            }
        }
        if (!near) {
            std::fprintf(stderr, "%s/%s is not what the generator writes; remake it with tamsa_cardgen\n",
                         qPrintable(committed), qPrintable(name));
            same = false;
        }
    }
    std::printf("%d files compared with %s\n", count, qPrintable(committed));
    return same && count >= 100;
}

}  // namespace cardgen

// Small, scaled and dark screens: the windows fit the free area of their screen, the cards are
// drawn from the sharper picture, and the texts stay readable on a dark palette. The offscreen
// platform is given three screens: a 1366 x 768 laptop, and 1920 x 1080 at 150 % and at 200 %.
#include "harness.h"
#include "napoveda_f.h"
#include "o_programu_f.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTableWidget>

namespace {
QScreen *Screen(const QString &name)
{
    for (QScreen *s : QGuiApplication::screens())
        if (s->name() == name) return s;
    return nullptr;
}

// Shows a window anew on the given screen at its design position there.
void ShowOn(QWidget *w, QScreen *screen, QPoint design)
{
    w->hide();
    w->setAttribute(Qt::WA_Moved, false);
    w->winId();
    w->windowHandle()->setScreen(screen);
    w->move(screen->geometry().topLeft() + design);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

bool Inside(QWidget *w, const QRect &area)
{
    return area.contains(QRect(w->mapToGlobal(QPoint()), w->size()));
}

// The commonest colour of a widget's painted pixels other than its background, and its
// contrast with that background.
double PaintedContrast(QWidget *w, const QColor &background, QColor *found = nullptr)
{
    const QImage img = w->grab().toImage();
    QHash<QRgb, int> count;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (const QRgb px = img.pixel(x, y); px != background.rgb()) ++count[px];
    QRgb most = background.rgb();
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > count.value(most)) most = it.key();
    if (found) *found = QColor(most);
    return ContrastRatio(QColor(most), background);
}
}  // namespace

class TestObrazovky : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(Screen("laptop") && Screen("hidpi150") && Screen("hidpi200"));
        QCOMPARE(Screen("hidpi150")->devicePixelRatio(), 1.5);
        StartProgram();
    }

    void boardAndSheetFitTheScreen()
    {
        for (const char *name : {"laptop", "hidpi150", "hidpi200"}) {
            QScreen *screen = Screen(name);
            const QRect free = screen->availableGeometry();
            ShowOn(Form1, screen, QPoint(241, 324));
            DealCards();
            // (The platform window's frame: the widget keeps the frame of the screen it came from.)
            QVERIFY2(free.contains(Form1->windowHandle()->frameGeometry()), name);
            for (QWidget *w : {static_cast<QWidget *>(Form1->StatusBar1), static_cast<QWidget *>(Form1->Karta1),
                               static_cast<QWidget *>(Form1->Karta8)})
                QVERIFY2(Inside(w, free), qPrintable(w->objectName() + QLatin1Char(' ') + name));
            // Where it fits, the board keeps its design size.
            if (free.height() >= 700) QCOMPARE(Form1->Klient->size(), QSize(725, 585));

            ShowOn(Zapis_form, screen, QPoint(484, 93));
            QVERIFY2(free.contains(Zapis_form->windowHandle()->frameGeometry()), name);
            QTableWidget *sheet = Zapis_form->Tabulka;
            sheet->scrollToBottom();
            const QRect last = sheet->visualItemRect(sheet->item(41, 1)).translated(sheet->viewport()->mapToGlobal(QPoint()));
            QVERIFY2(QRect(Zapis_form->mapToGlobal(QPoint()), Zapis_form->size()).contains(last) && free.contains(last), name);
            QCOMPARE(Zapis_form->height() < 674, free.height() < 700);  // the sheet scrolls only where it must
            Zapis_form->hide();
        }
        ShowOn(Form1, Screen("laptop"), QPoint(241, 324));
    }

    void maximisedStaysMaximised()
    {
        const QMargins frame = FrameMargins();
        O_programu_form->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(O_programu_form));
        QTest::qWait(20);
        QVERIFY(O_programu_form->isMaximized());
        QVERIFY(O_programu_form->width() > 554);
        QCOMPARE(FrameMargins(), frame);
        O_programu_form->showNormal();
        O_programu_form->hide();
    }

    void sharpCardsAtFractionalScale()
    {
        // A card painted large at 100 % and then on a screen at 150 % is painted there as a card
        // that was never painted before.
        ShowOn(Form1, Screen("laptop"), QPoint(241, 324));
        SetClient(960, 640);
        (void)Form1->Karta1->grab();
        ShowOn(Form1, Screen("hidpi150"), QPoint(241, 324));
        SetClient(960, 640);
        TImage *card = Form1->Karta1;
        const QString name = card->PictureName();
        TImage fresh(Form1->Klient);
        fresh.setGeometry(card->geometry());
        fresh.LoadPicture(name);
        const QImage painted = card->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(painted.size(), card->size() * 1.5);
        QVERIFY(painted == fresh.grab().toImage().convertToFormat(QImage::Format_RGB32));
        // At 150 % a hand card of the starting size is stretched 1.21 times: it is drawn from
        // the 2x picture.
        SetClient(725, 585);
        const QImage starting = card->grab().toImage().convertToFormat(QImage::Format_RGB32);
        auto scaled = [&](const QString &path) {
            return QImage(path).convertToFormat(QImage::Format_RGB32).scaled(starting.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const double from2x = Distance(starting, scaled(QStringLiteral(":/cards2x/%1.png").arg(name)));
        const double from1x = Distance(starting, scaled(QStringLiteral(":/cards/%1.bmp").arg(name)));
        QVERIFY2(from2x < from1x, qPrintable(QStringLiteral("%1 against %2").arg(from2x).arg(from1x)));

        // The board's colour around the rounded corners is cut in device pixels: the card is
        // painted as if the outline had been filled in one piece.
        const QColor board = Form1->Klient->palette().color(Form1->Klient->backgroundRole());
        QImage whole(starting.size(), QImage::Format_ARGB32_Premultiplied);
        whole.setDevicePixelRatio(1.5);
        whole.fill(board);
        {
            QPainter p(&whole);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawPixmap(QRect(QPoint(), card->size()), QPixmap(QStringLiteral(":/cards2x/%1.png").arg(name)));
            const qreal sx = card->width() / 90.0, sy = card->height() / 150.0;
            QPainterPath outside, outline;
            outside.addRect(QRectF(QPointF(), card->size()));
            outline.addRoundedRect(QRectF(0.5 * sx, 0.5 * sy, card->width() - sx, card->height() - sy), 5.5 * sx, 5.5 * sy);
            p.setRenderHint(QPainter::Antialiasing);
            p.fillPath(outside.subtracted(outline), board);
        }
        const QImage reference = whole.convertToFormat(QImage::Format_RGB32);
        int differ = 0;
        for (int y = 0; y < starting.height(); ++y)
            for (int x = 0; x < starting.width(); ++x) {
                const QRgb a = starting.pixel(x, y), b = reference.pixel(x, y);
                differ += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) > 6;
            }
        QVERIFY2(differ == 0, qPrintable(QStringLiteral("%1 pixels off").arg(differ)));
        ShowOn(Form1, Screen("laptop"), QPoint(241, 324));
    }

    void readableOnADarkPalette()
    {
        QLabel *marked = Form1->StaticText1, *plain = Form1->StaticText3;
        Players[1]->CardCount = Players[3]->CardCount = 8;
        Players[1]->ShowCount();
        Players[3]->ShowCount();
        MarkCount(*Players[1], true);
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) dark.setColor(role, QColor(0x42, 0x42, 0x45));
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) dark.setColor(role, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Link, QColor(0x2a, 0x82, 0xda));
        napoveda_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(napoveda_form));
        for (const QPalette &palette : {dark, light}) {
            QApplication::setPalette(palette);
            QTest::qWait(1);
            const QColor board = Form1->Klient->palette().color(Form1->Klient->backgroundRole());
            QColor blue, black;
            QVERIFY(PaintedContrast(marked, board, &blue) >= 4.5);
            QVERIFY(PaintedContrast(plain, board, &black) >= 4.5);
            QVERIFY(qAbs(blue.red() - black.red()) + qAbs(blue.green() - black.green()) + qAbs(blue.blue() - black.blue()) >= 120);
            QColor navy;
            QVERIFY(PaintedContrast(napoveda_form->Radek[4], napoveda_form->palette().color(QPalette::Window), &navy) >= 4.5);
            if (&palette == &light) {  // where the design's colours read well, they stay exactly
                QCOMPARE(blue, QColor(0, 0, 255));
                QCOMPARE(black, QColor(0, 0, 0));
                QCOMPARE(navy, QColor(0, 0, 128));
            }
        }
        napoveda_form->hide();
        MarkCount(*Players[1], false);
    }

    void standingsKeepLongNamesApart()
    {
        nastaveni_form->Jmeno0->setText(QStringLiteral("Maximilián"));
        nastaveni_form->Jmeno1->setText(QStringLiteral("Bohuslava"));
        nastaveni_form->Jmeno2->setText(QString(32, QChar(0x0160)));  // Š, the widest letter
        ScriptedHuman checker;
        checker.timer.stop();
        QTimer::singleShot(0, [&checker] {
            QWidget *w = QApplication::activeModalWidget();
            checker.CheckStandings(w);
            for (QLabel *l : w->findChildren<QLabel *>())
                if (!w->rect().contains(l->geometry())) checker.Fault(l->text() + QStringLiteral(" outside the window"));
            w->close();
        });
        ShowStandings(ZadnaHra);
        QVERIFY2(checker.faults.isEmpty(), qPrintable(checker.faults.join(QLatin1Char('\n'))));
        const QStringList names = {"Hráč", "Počítač1", "Počítač2"};
        for (int i = 0; i < 3; ++i) nastaveni_form->findChild<QLineEdit *>(QStringLiteral("Jmeno%1").arg(i))->setText(names[i]);
    }

private:
    static void SetClient(int w, int h)
    {
        Form1->SetClientSize(w, h);
        QTest::qWait(1);
    }
};

int main(int argc, char **argv)
{
    // Three screens side by side; a logical DPI of 144 or 192 gives a scale of 150 % or 200 %.
    const QString config = QDir::temp().filePath(QStringLiteral("tamsa-screens-%1.json").arg(QCoreApplication::applicationPid()));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly)) return 2;
    f.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
        {"name": "hidpi150", "x": 1366, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 144},
        {"name": "hidpi200", "x": 3286, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 192}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestObrazovky test;
    const int rc = QTest::qExec(&test, argc, argv);
    QFile::remove(config);
    return rc;
}
#include "test_obrazovky.moc"

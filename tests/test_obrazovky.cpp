// Small, scaled and dark screens: windows open on the board's screen inside its free area, cards
// come from the sharper picture, texts read on any palette. Five offscreen screens: a 1366 x 768
// laptop, 1920 x 1080 at 150 % and 200 % right of it, one left of it and one above it.
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

// The contrast of a widget's painted text with its painted background.
double PaintedContrast(QWidget *w, QColor *text = nullptr, const QRect &part = QRect())
{
    const auto [back, fore] = PaintedColours(w, part);
    if (text) *text = fore;
    return ContrastRatio(back, fore);
}

QPalette Palette(QColor window, QColor text)
{
    QPalette p = QApplication::palette();
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) p.setColor(role, window);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::Link}) p.setColor(role, text);
    return p;
}
}  // namespace

class TestObrazovky : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(Screen("laptop") && Screen("hidpi150") && Screen("hidpi200") && Screen("left") && Screen("above"));
        QCOMPARE(Screen("hidpi150")->devicePixelRatio(), 1.5);
        StartProgram();
    }

    void windowsOpenOnTheBoardsScreen()
    {
        PanelSeam = QMargins(40, 20, 0, 20);
        for (const char *name : {"laptop", "left", "above", "hidpi150", "hidpi200"}) {
            QScreen *screen = Screen(name);
            const QRect free = FreeArea(screen);
            ShowOn(Form1, screen, QPoint(241, 324));
            DealCards();
            // (The platform window's frame: the widget keeps the frame of the screen it came from.)
            QVERIFY2(free.contains(Form1->windowHandle()->frameGeometry()), name);
            for (QWidget *w : {static_cast<QWidget *>(Form1->StatusBar1), static_cast<QWidget *>(Form1->Karta1),
                               static_cast<QWidget *>(Form1->Karta8)})
                QVERIFY2(Inside(w, free), qPrintable(w->objectName() + QLatin1Char(' ') + name));
            // Where it fits, the board keeps its design size.
            if (free.height() >= 700) QCOMPARE(Form1->Klient->size(), QSize(725, 585));

            // The standings, built anew for every showing, open with their frame at their place
            // as the windows made once do.
            QRect standings;
            QTimer::singleShot(0, [&] {
                QTest::qWait(20);
                standings = QApplication::activeModalWidget()->windowHandle()->frameGeometry();
                QApplication::activeModalWidget()->close();
            });
            ShowStandings(ZadnaHra);
            // (Offscreen, a window moved to another screen lands up to a frame's width off.)
            if (screen == Screen("laptop")) QCOMPARE(standings.topLeft(), QPoint(300, 300));
            QVERIFY2(free.contains(standings), name);

            Zapis_form->show();
            QVERIFY(QTest::qWaitForWindowExposed(Zapis_form));
            QVERIFY2(free.contains(Zapis_form->windowHandle()->frameGeometry()), name);
            QTableWidget *sheet = Zapis_form->Tabulka;
            sheet->scrollToBottom();
            const QRect last = sheet->visualItemRect(sheet->item(41, 1)).translated(sheet->viewport()->mapToGlobal(QPoint()));
            QVERIFY2(QRect(Zapis_form->mapToGlobal(QPoint()), Zapis_form->size()).contains(last) && free.contains(last), name);
            QCOMPARE(Zapis_form->height() < 674, free.height() < 674 + FrameMargins().top() + FrameMargins().bottom());  // scrolls only where it must
            Zapis_form->hide();
        }
        PanelSeam = QMargins();
        ShowOn(Form1, Screen("laptop"), QPoint(241, 324));
    }

    void aMovedWindowStays()
    {
        for (QPoint to : {QPoint(1666, 50), QPoint(100, 100)}) {  // each to a screen with another frame
            Form1->move(to);
            QTest::qWait(20);
            QVERIFY((Form1->pos() - to).manhattanLength() <= 2);  // (Qt places it a pixel off)
        }
        // Closed and opened again, a window opens where it was left.
        napoveda_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(napoveda_form));
        napoveda_form->move(napoveda_form->pos() + QPoint(37, 23));
        QTest::qWait(20);
        const QPoint left = napoveda_form->pos();
        napoveda_form->hide();
        napoveda_form->show();
        QTest::qWait(20);
        QCOMPARE(napoveda_form->pos(), left);
        napoveda_form->hide();
    }

    void sameBoardInAnyOrderOfTheWindowManager()
    {
        // A window manager reports no frame, then one of a pixel round the whole window and places
        // of its own, then the real frame at a move or at the activation; or it frames at once.
        QMargins reported;
        FrameSeam = [&reported](const QWidget *) { return reported; };
        const struct Reset { ~Reset() { FrameSeam = nullptr; } } reset;
        for (int order = 0; order < 3; ++order) {
            const QMargins real(1 + order, 20 + order, 1, 5);  // a new frame each time
            reported = order == 2 ? real : QMargins();
            Form1->SetClientSize(725, 585);
            ShowOn(Form1, Screen("laptop"), QPoint(241, 324));
            if (order < 2) Form1->move(-1, -20);
            for (QMargins frame : {QMargins(0, 0, -724, -602), real}) {
                reported = order == 2 ? real : frame;
                QEvent e(order == 0 && frame == real ? QEvent::WindowActivate : QEvent::Move);
                QApplication::sendEvent(Form1, &e);
            }
            QTest::qWait(20);
            QCOMPARE(Form1->Klient->size(), QSize(725, 585));
            QCOMPARE(Form1->geometry().topLeft() - QPoint(real.left(), real.top()),
                     QPoint(241, 768 - (Form1->height() + real.top() + real.bottom())));
        }
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

    void readableOnAnyPalette()
    {
        for (int g = 0; g < 512; ++g) {  // every grey, with white text and with black
            const QColor grey(g / 2, g / 2, g / 2);
            const TCountColours c = CountColours(grey, g % 2 ? Qt::white : Qt::black, QColor(0x2a, 0x82, 0xda));
            const QColor back = c.plate.isValid() ? c.plate : grey;  // the plate, else the board
            QVERIFY2(ContrastRatio(c.text, back) >= 4.5 && ContrastRatio(c.marker, back) >= 4.5 && ClearlyApart(c.text, c.marker), qPrintable(grey.name()));
        }
        QLabel *marked = Form1->StaticText1, *plain = Form1->StaticText3;
        Players[1]->CardCount = Players[3]->CardCount = 8;
        Players[1]->ShowCount();
        Players[3]->ShowCount();
        MarkCount(*Players[1], true);
        const QPalette light = QApplication::palette();
        const QPalette dark = Palette(QColor(0x42, 0x42, 0x45), QColor(0xee, 0xee, 0xee));
        napoveda_form->show();
        Zapis_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(napoveda_form) && QTest::qWaitForWindowExposed(Zapis_form));
        QTableWidget *sheet = Zapis_form->Tabulka;
        const QRect heading = sheet->visualItemRect(sheet->item(5, 0));
        for (const QPalette &palette : {dark, Palette(QColor(0x6e, 0x6e, 0x6e), Qt::white), Palette(QColor(0x7a, 0x7a, 0x7a), Qt::black), light}) {
            QApplication::setPalette(palette);
            QTest::qWait(1);
            QColor blue, black;
            QVERIFY(PaintedContrast(marked, &blue) >= 4.5);
            QVERIFY(PaintedContrast(plain, &black) >= 4.5);
            QVERIFY(ClearlyApart(blue, black));
            QColor navy;
            QVERIFY(PaintedContrast(napoveda_form->Radek[4], &navy) >= 4.5);
            QVERIFY(PaintedContrast(sheet->viewport(), nullptr, heading) >= 4.5);
            if (&palette == &light) {  // where the design's colours read well, they stay exactly
                QCOMPARE(blue, QColor(0, 0, 255));
                QCOMPARE(black, QColor(0, 0, 0));
                QCOMPARE(navy, QColor(0, 0, 128));
            }
        }
        napoveda_form->hide();
        Zapis_form->hide();
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
    // Five screens; a logical DPI of 144 or 192 gives a scale of 150 % or 200 %.
    const QString config = QDir::temp().filePath(QStringLiteral("tamsa-screens-%1.json").arg(QCoreApplication::applicationPid()));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly)) return 2;
    f.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
        {"name": "hidpi150", "x": 1366, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 144},
        {"name": "hidpi200", "x": 3286, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 192},
        {"name": "left", "x": -1920, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
        {"name": "above", "x": 0, "y": -1080, "width": 1920, "height": 1080, "logicalDpi": 96}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestObrazovky test;
    const int rc = QTest::qExec(&test, argc, argv);
    QFile::remove(config);
    return rc;
}
#include "test_obrazovky.moc"

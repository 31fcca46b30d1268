// The board window, the players, the deal and the settings, through the real widgets.
#include "harness.h"
#include "napoveda_f.h"
#include "o_programu_f.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QSlider>

class TestDeska : public QObject
{
    Q_OBJECT

    static void SetClient(int w, int h)
    {
        Form1->SetClientSize(w, h);
        QTest::qWait(1);
        QCOMPARE(Form1->Klient->size(), QSize(w, h));
    }
    static QRect G(QWidget *w) { return w->geometry(); }
    static void Idle()
    {
        SetPanel(1, QStringLiteral("Nehraje se"));
        SelectedImage = nullptr;
        Form1->FormResize();
    }

private slots:
    void initTestCase() { StartProgram(); }

    void startState()
    {
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Karetní hra Tamsa"));
        QCOMPARE(Form1->Klient->size(), QSize(725, 585));
        QCOMPARE(PanelText(0), QStringLiteral("Připraven"));
        QCOMPARE(PanelText(1), QStringLiteral("Nehraje se"));
        QCOMPARE(Form1->StatusBar1->height(), 33);
        QCOMPARE(Form1->StatusBar1->y() + 33, Form1->Klient->height());
        QCOMPARE(Form1->StatusBar1->font().pixelSize(), 19);
        QVERIFY(Form1->StatusBar1->font().bold());
        QVERIFY(!Form1->Next_but->isVisible());
        QCOMPARE(Form1->Next_but->text(), QStringLiteral("Další hráč"));
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(HandImages[i]->objectName(), QStringLiteral("Karta%1").arg(i + 1));
            QVERIFY(!HandImages[i]->isEnabled());
        }
        for (int i = 0; i < 4; ++i) QCOMPARE(TrickImages[i]->objectName(), QStringLiteral("Image%1").arg(i + 1));
        // Before the first contract every place shows the card back.
        if (PanelText(1) == QStringLiteral("Nehraje se") && Players[0]->Hand[0] == 0)
            for (TImage *im : HandImages) QCOMPARE(im->accessibleName(), QStringLiteral("rub"));
        for (TImage *im : LayoutImages) {
            QVERIFY(!im->isVisible());
            QVERIFY(!im->isEnabled());
            QCOMPARE(im->PictureName(), QStringLiteral("PRAZDNE"));
        }
        for (QLabel *l : {Form1->StaticText1, Form1->StaticText2, Form1->StaticText3}) {
            QCOMPARE(l->text(), QStringLiteral("0"));
            QCOMPARE(l->font().pixelSize(), 28);
        }
        QVERIFY(Form1->minimumWidth() > 0 && Form1->minimumWidth() <= 496);
    }

    void menus()
    {
        QStringList titles;
        for (QAction *a : Form1->menuBar()->actions()) titles << a->text();
        QCOMPARE(titles, (QStringList{"&Hra", "&Zobrazit", "&Trénink", "&Nápověda"}));
        auto captions = [](QMenu *m) {
            QStringList l;
            for (QAction *a : m->actions()) l << a->text();
            return l;
        };
        QCOMPARE(captions(Form1->Hra1), (QStringList{"&Start", "&Nastavení", "&Konec"}));
        QCOMPARE(captions(Form1->Zobrazit1), (QStringList{"&Stav", "&Zapis", "Poslední š&tych", "&Průběh"}));
        QCOMPARE(captions(Form1->Trenink1), (QStringList{"Č&ervené", "&Filky", "&Pr-Po", "&Všechny", "Če&rvený Král",
                                                          "&Kvarty", "&Desítky", "Maturita"}));
        QCOMPARE(captions(Form1->Napoveda1), (QStringList{"Po&radit", "", "O &hře Tamsa", "O &programu"}));
        // Only the helps at the table have keys of their own; the hint waits for the human's move.
        const QHash<QAction *, QKeySequence> keys{{Form1->Poradit1, Qt::Key_H}, {Form1->PosledniStych1, Qt::Key_L}, {Form1->Prubeh1, Qt::Key_G}};
        for (QMenu *m : {Form1->Hra1, Form1->Zobrazit1, Form1->Trenink1, Form1->Napoveda1})
            for (QAction *a : m->actions()) QCOMPARE(a->shortcut(), keys.value(a));
        QVERIFY(!Form1->Poradit1->isEnabled() && !Form1->PosledniStych1->isEnabled() && Form1->Prubeh1->isEnabled());

        Form1->MenuZakaz();
        const QList<QAction *> play = {Form1->Start1, Form1->Cerveny1, Form1->Filky1, Form1->PrPo1, Form1->Vsechny1,
                                       Form1->CervenyKral1, Form1->Kvarty1, Form1->Desitky1, Form1->Maturita1};
        for (QAction *a : play) QVERIFY(!a->isEnabled());
        for (QAction *a : {Form1->Nastaveni1, Form1->Konec1, Form1->Stav1, Form1->Zapis1, Form1->OhreTamsa1,
                           Form1->Oprogramu1})
            QVERIFY(a->isEnabled());
        Form1->MenuPovol();
        for (QAction *a : play) QVERIFY(a->isEnabled());
    }

    void layoutAtDesignSize()
    {
        Idle();
        SetClient(800, 600);
        for (int i = 0; i < 8; ++i) QCOMPARE(G(HandImages[i]), QRect(90 * i + 45, 449, 80, 125));
        QCOMPARE(G(Form1->Image1), QRect(360, 216, 80, 130));
        QCOMPARE(G(Form1->Image2), QRect(270, 152, 80, 130));
        QCOMPARE(G(Form1->Image3), QRect(360, 85, 80, 130));
        QCOMPARE(G(Form1->Image4), QRect(450, 152, 80, 130));
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 8; ++k) QCOMPARE(G(LayoutImages[8 * r + k]), QRect(60 * k + 153, 95 * r + 65, 55, 90));
        QCOMPARE(Form1->Next_but->pos(), QPoint(20, 380));
        QCOMPARE(Form1->StaticText1->pos(), QPoint(27, 152));
        QCOMPARE(Form1->StaticText2->pos(), QPoint(387, 0));
        QCOMPARE(Form1->StaticText3->pos(), QPoint(763, 152));
        QCOMPARE(Form1->StaticText3->size(), QSize(24, 44));
    }

    void layoutAtStartSize()
    {
        Idle();
        SetClient(725, 585);
        QCOMPARE(G(HandImages[0]), QRect(40, 437, 72, 121));  // 121.875 truncates to 121
        QCOMPARE(HandImages[7]->x(), 611);
        QCOMPARE(G(Form1->Image1), QRect(326, 210, 72, 126));
        for (TImage *im : TrickImages) QCOMPARE(im->size(), QSize(72, 126));
        QCOMPARE(G(LayoutImages[0]), QRect(138, 63, 49, 87));
        QCOMPARE(Form1->StaticText3->x(), 691);
        QCOMPARE(Form1->Next_but->pos(), QPoint(18, 370));
        QCOMPARE(Form1->Next_but->size(), QSize(65, 27));  // never scaled
        // A raised card stands 10 design units higher, also after the board is laid out again.
        SelectedImage = HandImages[2];
        Form1->FormResize();
        QCOMPARE(HandImages[2]->y(), 428);
        QCOMPARE(HandImages[1]->y(), 437);
        Idle();
    }

    void kvartyRow()
    {
        SetClient(725, 585);
        for (const QString &mode : {ContractName(Desitky), ContractName(Maturita), QStringLiteral("Nehraje se"),
                                    ContractName(Cervene), ContractName(CervenyKral)}) {
            SetPanel(1, mode);
            Form1->FormResize();
            QVERIFY2(Form1->Image1->y() != Form1->Image3->y(), qPrintable(mode));
        }
        SetPanel(1, ContractName(Kvarty));
        Form1->FormResize();
        const int lefts[4] = {225, 315, 405, 495};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(TrickImages[i]->y(), int(152 * 0.975f));
            QCOMPARE(TrickImages[i]->x(), int(lefts[i] * 0.90625));
        }
        // Resizing keeps the row while Kvarty runs.
        SetClient(800, 600);
        for (int i = 0; i < 4; ++i) QCOMPARE(G(TrickImages[i]), QRect(lefts[i], 152, 80, 130));
        Idle();
        SetClient(725, 585);
    }

    void raisedCardAfterResize()
    {
        Idle();
        SetClient(725, 585);
        // Clicks reach only enabled images; a disabled one does not rise.
        QTest::mouseClick(HandImages[3], Qt::LeftButton);
        QVERIFY(!SelectedImage);
        for (TImage *im : HandImages) im->setEnabled(true);
        QTest::mouseClick(HandImages[3], Qt::LeftButton);
        QCOMPARE(SelectedImage, HandImages[3]);
        QCOMPARE(HandImages[3]->y(), 427);
        QTest::mouseClick(HandImages[5], Qt::LeftButton);  // a second card: the first goes back
        QCOMPARE(HandImages[3]->y(), 437);
        QCOMPARE(HandImages[5]->y(), 427);
        QTest::mouseClick(HandImages[5], Qt::LeftButton);  // clicking it again keeps it raised
        QCOMPARE(HandImages[5]->y(), 427);
        SetClient(800, 600);
        QCOMPARE(HandImages[5]->y(), 439);
        QCOMPARE(HandImages[4]->y(), 449);
        SetClient(725, 585);
        QCOMPARE(HandImages[5]->y(), 428);
        for (TImage *im : HandImages) im->setEnabled(false);
        Idle();
    }

    void dealOrder()
    {
        for (int order : {0, 1}) {
            nastaveni_form->RadioGroup1->SetItemIndex(order);
            for (int round = 0; round < 50; ++round) {
                DealCards();
                bool seen[32] = {};
                for (THrac *p : Players) {
                    QCOMPARE(p->CardCount, 8);
                    for (int i = 0; i < 8; ++i) {
                        QVERIFY(p->Hand[i] < NoCard);
                        QVERIFY(!seen[p->Hand[i]]);
                        seen[p->Hand[i]] = true;
                        if (i > 0) QVERIFY(order == 0 ? p->Hand[i] < p->Hand[i - 1] : p->Hand[i] > p->Hand[i - 1]);
                    }
                    if (p->CountLabel) QCOMPARE(p->CountLabel->text(), QStringLiteral("8"));
                }
            }
        }
        nastaveni_form->RadioGroup1->SetItemIndex(0);
    }

    void dealIsFair()
    {
        const int deals = 4000;
        int got[4][32] = {};
        for (int d = 0; d < deals; ++d) {
            DealCards();
            for (THrac *p : Players)
                for (TCard c : p->Hand) ++got[p->Seat][c];
        }
        // 1000 expected per seat and card, standard deviation about 27.
        for (int s = 0; s < 4; ++s)
            for (int c = 0; c < 32; ++c)
                QVERIFY2(got[s][c] > 860 && got[s][c] < 1140, qPrintable(QStringLiteral("seat %1 card %2: %3").arg(s).arg(c).arg(got[s][c])));
    }

    void handPicturesFollowTheDeal()
    {
        DealCards();
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(HandImages[i]->PictureName(), CardResourceName(Players[0]->Hand[i]));
            QCOMPARE(HandImages[i]->accessibleName(), PictureDescription(CardResourceName(Players[0]->Hand[i])));
            QVERIFY(HandImages[i]->isVisible());
        }
        const TCard c = Players[0]->Hand[0];
        static const char *suits[4] = {"červené", "žaludy", "kule", "zelené"};
        QVERIFY(HandImages[0]->accessibleName().startsWith(QString::fromUtf8(suits[Suit(c)])));
    }

    void startContract()
    {
        SetClient(725, 585);
        Idle();
        QVERIFY(Form1->Image1->y() != Form1->Image2->y());
        for (bool &b : PlayedCards) b = true;
        TrickCards[2] = 5;
        SelectedImage = HandImages[1];
        StartContract(Kvarty);
        QCOMPARE(PanelText(1), QStringLiteral("Kvarty"));
        // The deal's own layout pass already laid the table out in a row.
        for (TImage *im : TrickImages) QCOMPARE(im->y(), Form1->Image1->y());
        QVERIFY(!SelectedImage);
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(TrickCards[s], NoCard);
            QCOMPARE(TrickImages[s]->PictureName(), QStringLiteral("PRAZDNE"));
            QCOMPARE(TrickImages[s]->accessibleName(), QStringLiteral("prázdné"));
        }
        for (bool b : PlayedCards) QVERIFY(!b);
        QVERIFY(!Form1->Start1->isEnabled());
        QVERIFY(!Form1->Kvarty1->isEnabled());
        QVERIFY(Form1->Nastaveni1->isEnabled());
        QCOMPARE(PanelText(0), QStringLiteral("Připraven"));  // untouched until play begins

        StartContract(Filky);
        QCOMPARE(PanelText(1), QStringLiteral("Filky"));
        QVERIFY(Form1->Image1->y() != Form1->Image2->y());
        Form1->MenuPovol();
        Idle();
    }

    void players()
    {
        THrac human(false, 0, true);
        QVERIFY(human.OnMove && human.StartsRound);
        QCOMPARE(human.Score, 0);
        QCOMPARE(human.CardCount, 0);
        QVERIFY(!human.CountLabel);
        QCOMPARE(human.GetLevel(), 0);
        QVERIFY(human.Name.isEmpty());
        THrac top(true, 2, false);
        QCOMPARE(top.CountLabel, Form1->StaticText2);
        QVERIFY(!top.OnMove && !top.StartsRound && top.IsComputer);
        QCOMPARE(Players[1]->CountLabel, Form1->StaticText1);
        QCOMPARE(Players[3]->CountLabel, Form1->StaticText3);

        // The human's card shows in his hand image; a computer's only in its count.
        HandImages[0]->LoadPicture(QStringLiteral("PRAZDNE"));
        Form1->StaticText2->setText(QStringLiteral("5"));
        human.AddCard(17);
        QCOMPARE(human.Hand[0], TCard(17));
        QCOMPARE(human.CardCount, 1);
        QCOMPARE(HandImages[0]->PictureName(), QStringLiteral("KULE8"));
        QCOMPARE(Form1->StaticText2->text(), QStringLiteral("5"));
        const QString before = HandImages[1]->PictureName();
        top.AddCard(30);
        top.AddCard(31);
        QCOMPARE(top.CardCount, 2);
        QCOMPARE(top.Hand[1], TCard(31));
        QCOMPARE(Form1->StaticText2->text(), QStringLiteral("2"));
        QCOMPARE(HandImages[1]->PictureName(), before);
        top.ResetHand();
        QCOMPARE(top.CardCount, 0);
        QCOMPARE(top.Hand[1], TCard(31));  // the bytes stay until the next deal
        QCOMPARE(Form1->StaticText2->text(), QStringLiteral("0"));
        top.SetLevel(1);
        QCOMPARE(top.GetLevel(), 1);
        DealCards();
    }

    void outerSizes()
    {
        // Outer sizes include whatever frame the platform gives a window.
        const QList<QPair<QWidget *, QSize>> windows = {{nastaveni_form, {501, 370}}, {Maturita_form, {164, 354}},
                                                        {napoveda_form, {458, 384}}, {O_programu_form, {554, 347}}};
        for (const auto &[w, outer] : windows) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QCOMPARE(w->frameGeometry().size(), outer);
            w->hide();
        }
        QSize standings;
        QTimer::singleShot(0, [&] {
            QWidget *w = QApplication::activeModalWidget();
            standings = w->frameGeometry().size();
            w->close();
        });
        ShowStandings(ZadnaHra);
        QCOMPARE(standings, QSize(300, 100));
        Form1->resize(1, 1);
        QTest::qWait(1);
        QCOMPARE(Form1->frameGeometry().size(), QSize(496, 500));
        SetClient(725, 585);
    }

    void seedsMomentsApart()
    {
        // Programs started a moment apart deal different games: seeded back to back, within
        // the same millisecond, the generator still starts anew each time.
        QSet<int> first;
        for (int i = 0; i < 5; ++i) {
            Randomize();
            first << Random(1 << 30);
        }
        QCOMPARE(first.size(), 5);
    }

    void settingsDefaults()
    {
        QCOMPARE(nastaveni_form->windowTitle(), QStringLiteral("Nastavení"));
        QCOMPARE(nastaveni_form->TrackBar1->value(), 3);
        QCOMPARE(nastaveni_form->TrackBar1->minimum(), 1);
        QCOMPARE(nastaveni_form->TrackBar1->maximum(), 10);
        QCOMPARE(nastaveni_form->RadioGroup1->ItemIndex(), 0);
        QCOMPARE(nastaveni_form->RadioGroup1->Items(), (QStringList{"Menší vpravo", "Větší vpravo"}));
        const QStringList names = {"Hráč", "Počítač1", "Počítač2", "Počítač3"};
        QComboBox *combos[4] = {nastaveni_form->ComboBox0, nastaveni_form->ComboBox1, nastaveni_form->ComboBox2,
                                nastaveni_form->ComboBox3};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(Players[i]->Name, names[i]);
            QCOMPARE(combos[i]->currentText(), QStringLiteral("nízká"));
            QCOMPARE(combos[i]->count(), 3);
            QCOMPARE(combos[i]->itemText(1), QStringLiteral("střední"));
            QCOMPARE(combos[i]->itemText(2), QStringLiteral("vysoká"));
            QVERIFY(!combos[i]->isEditable());
        }
        // Tab order: track bar, OK, radio group, the names, the strengths.
        QList<QWidget *> chain;
        QWidget *w = nastaveni_form->TrackBar1;
        for (int i = 0; i < 60; ++i, w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && !chain.contains(w)) chain << w;
        QCOMPARE(chain.value(1), nastaveni_form->Button1);
        const int j = chain.indexOf(nastaveni_form->Jmeno0);
        QVERIFY(j >= 3);
        QCOMPARE(chain.value(j + 3), nastaveni_form->Jmeno3);
        QCOMPARE(chain.value(j + 4), nastaveni_form->ComboBox0);
    }

    void settingsTakeEffectAtOnce()
    {
        QTimer::singleShot(0, [] {
            QLineEdit *e = nastaveni_form->Jmeno1;
            e->selectAll();
            QTest::keyClick(e, Qt::Key_Delete);
            QVERIFY(Players[1]->Name.isEmpty());
            QString typed;
            for (QChar ch : QStringLiteral("Žofie")) {
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(ch), Qt::NoModifier);
                typed += ch;
                QCOMPARE(Players[1]->Name, typed);
            }
            nastaveni_form->ComboBox2->setCurrentIndex(1);
            QTest::mouseClick(nastaveni_form->Button1, Qt::LeftButton);
        });
        Form1->Nastaveni1->trigger();  // modal: returns when OK closes it
        QVERIFY(!nastaveni_form->isVisible());
        QCOMPARE(Players[1]->Name, QStringLiteral("Žofie"));
        QCOMPARE(Players[2]->GetLevel(), 1);
        QCOMPARE(Players[3]->GetLevel(), 0);
        // The close box keeps the changes as well.
        QTimer::singleShot(0, [] {
            nastaveni_form->Jmeno1->setText(QStringLiteral("Počítač1"));
            nastaveni_form->ComboBox2->setCurrentIndex(0);
            nastaveni_form->close();
        });
        Form1->Nastaveni1->trigger();
        QCOMPARE(Players[1]->Name, QStringLiteral("Počítač1"));
        QCOMPARE(Players[2]->GetLevel(), 0);

        // The deal reads the order at every deal.
        nastaveni_form->RadioGroup1->SetItemIndex(1);
        DealCards();
        QVERIFY(Players[0]->Hand[0] < Players[0]->Hand[7]);
        nastaveni_form->RadioGroup1->SetItemIndex(0);
        DealCards();
        QVERIFY(Players[0]->Hand[0] > Players[0]->Hand[7]);
    }

    void pauseReadAtEveryPause()
    {
        PauseOverrideMs = -1;
        QElapsedTimer t;
        nastaveni_form->TrackBar1->setValue(1);
        t.start();
        WaitForTimer();
        const qint64 short_ = t.elapsed();
        QCOMPARE(Form1->Timer1->interval(), 500);
        nastaveni_form->TrackBar1->setValue(2);
        t.start();
        WaitForTimer();
        const qint64 long_ = t.elapsed();
        QCOMPARE(Form1->Timer1->interval(), 1000);
        QVERIFY2(short_ >= 490 && short_ < 900, qPrintable(QString::number(short_)));
        QVERIFY2(long_ >= 990 && long_ < 1500, qPrintable(QString::number(long_)));
        QVERIFY(TimerElapsed);
        QVERIFY(!Form1->Timer1->isActive());  // one tick per pause
        nastaveni_form->TrackBar1->setValue(10);
        QTimer::singleShot(0, [] { QCOMPARE(Form1->Timer1->interval(), 5000); Form1->Timer1Timer(); });
        WaitForTimer();
        nastaveni_form->TrackBar1->setValue(3);
        PauseOverrideMs = 0;
    }
};

QTEST_MAIN(TestDeska)
#include "test_deska.moc"

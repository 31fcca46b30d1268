// What helps a learner at the table: the hint, the last trick and the chart of the match, by eye
// and by ear.
#include "harness.h"
#include "prubeh_f.h"
#include "stych_f.h"

#include <QAccessible>

// The board takes the keys again once a closed window has left nothing active.
static void ActivateBoard() { Form1->activateWindow(), (void)QTest::qWaitForWindowActive(Form1); }

class TestRady : public QObject
{
    Q_OBJECT
    QStringList heard;

private slots:
    void initTestCase()
    {
        StartProgram();
        HeardSeam = [this](const QString &s) { heard << s; };
        for (int s = 1; s < 4; ++s) Players[s]->SetLevel(Stredni);
    }

    // A hint in every kind of move (a trick card, a Kvarty lead, a Desítky card, the end of a
    // Desítky turn): heard, on a card the player may lay or on "Další hráč", the same when asked
    // again, mostly what a thinking computer lays from that seat, and nothing else: the game from
    // the same seed shows the same positions as without hints.
    void hintChangesNothingButTheFocus()
    {
        int kinds[4] = {}, agreed = 0, hints = 0, seed = 70;
        for (QAction *command : {Form1->Cerveny1, Form1->PrPo1, Form1->Kvarty1, Form1->Desitky1, Form1->Desitky1}) {
            QList<QPair<TMask, TMask>> runs[2];  // the cards laid and the hand at every request
            ++seed;
            for (int hinting = 0; hinting < 2; ++hinting) {
                SeedRandom(seed);
                ScriptedHuman human(5);
                human.onTick = [&] {
                    if (!ScriptedHuman::HumanAsked()) {
                        if (Form1->Poradit1->isEnabled()) human.Fault(QStringLiteral("a hint offered outside the wait"));
                        return false;
                    }
                    runs[hinting] << qMakePair(MaskOf(PlayedCards), MaskOf(Players[0]->Hand));
                    ActivateBoard();
                    QWidget *first = nullptr;
                    for (int again = 0; hinting && again < 2; ++again) {
                        const int laid = PlayedCount();
                        QTest::keyClick(Form1->windowHandle(), Qt::Key_H);
                        // An announcer says a hint on the card that has the focus already.
                        const QString said = heard.value(heard.size() - 1);
                        QWidget *target = Form1->focusWidget();
                        if (target && target->objectName() == QLatin1String("Hlasatel"))
                            target = said.endsWith(QStringLiteral("Další hráč")) ? static_cast<QWidget *>(Form1->Next_but) : SelectedImage;
                        const int slot = int(std::find(HandImages, HandImages + 8, target) - HandImages);
                        const bool end = target == Form1->Next_but;
                        if ((again && target != first) || HumanMoved || PlayedCount() != laid ||
                            (!end && (slot == 8 || !target->isEnabled() || SelectedImage != target)) ||
                            said != QStringLiteral("Radím: ") + (end ? QStringLiteral("Další hráč") : CardWords(Players[0]->Hand[slot])))
                            return human.Fault(QStringLiteral("hint on %1 heard as \"%2\"").arg(target ? target->objectName() : "nothing", said)), false;
                        first = target;
                        // Where moves are worth the same, the thinking computer's pick falls as its sampling does.
                        int contract = 0;
                        while (contract < Desitky && ContractName(contract) != PanelText(1)) ++contract;
                        const TCard hinted = end ? KonecTahu : Players[0]->Hand[slot];
                        hints += again;
                        agreed += again && (Rozhodni(SeatView(*Players[0], contract), 3) == hinted || Rozhodni(SeatView(*Players[0], contract), 4) == hinted);
                        kinds[end ? 3 : contract == Desitky ? 2 : contract == Kvarty ? 1 : 0] += again;
                    }
                    return false;
                };
                const bool returned = TriggerReturns(command, 60000);
                QVERIFY2(returned && human.faults.isEmpty(), qPrintable(human.faults.join('\n')));
            }
            QCOMPARE(runs[1], runs[0]);
        }
        qInfo("hints %d %d %d %d, %d of %d as the thinking computer", kinds[0], kinds[1], kinds[2], kinds[3], agreed, hints);
        for (int k : kinds) QVERIFY(k > 0);
        QVERIFY(agreed >= hints * 9 / 10);
    }

    // The last trick: offered from the first trick taken to the end of a trick contract, never in
    // Kvarty; its window shows, as painted, every trick just taken with its taker, and is heard
    // as one line with its title as it opens.
    void lastTrickFollowsTheGame()
    {
        PauseOverrideMs = 20;  // every pause seen
        for (QAction *command : {Form1->Kvarty1, Form1->Vsechny1}) {
            const bool tricks = command == Form1->Vsechny1;
            ScriptedHuman human(9);
            int tricksSeen = 0;
            human.onPause = [&] {
                if (Form1->PosledniStych1->isEnabled() != tricks) return human.Fault(QStringLiteral("last trick offered: %1").arg(!tricks));
                if (!tricks) return;
                const int winner = SeatOnMove();
                if (PlayedCount() == 4 * tricksSeen) return;  // a pause seen already
                // Opened at every other trick and heard with its title as one line; it follows the
                // next trick open, and is closed with Escape after it.
                const bool opening = ++tricksSeen % 2 == 1;
                if (opening) {
                    ActivateBoard();
                    heard.clear();
                    QTest::keyClick(Form1->windowHandle(), Qt::Key_L);
                }
                if (!Stych_form || !Stych_form->isVisible()) return human.Fault(QStringLiteral("the window did not open or stay open"));
                QStringList laid;
                for (int k = 0; k < 4; ++k) {
                    const int s = (LastTrick.leader + k) % 4;
                    laid << Players[s]->Name + QLatin1Char(' ') + CardWords(TrickCards[s]);
                }
                const QString line = QStringLiteral("Poslední štych: %1. Bere %2, %3.").arg(laid.join(QStringLiteral(", ")), Players[winner]->Name, PointsWords(LastTrick.points));
                const QString told = QAccessible::queryAccessibleInterface(Stych_form->Radek)->text(QAccessible::Name);
                if ((opening && heard != QStringList{QStringLiteral("Poslední štych")}) || told != line || Stych_form->focusWidget())
                    human.Fault(QStringLiteral("heard %1 and %2").arg(heard.join(QLatin1Char('|')), told));
                for (int s = 0; s < 4; ++s) {
                    TImage plain(Stych_form);
                    plain.resize(Stych_form->Karty[s]->size());
                    plain.LoadPicture(CardResourceName(TrickCards[s]));
                    if (Distance(Stych_form->Karty[s]->grab().toImage(), plain.grab().toImage()) > 1)
                        human.Fault(QStringLiteral("seat %1 shows another card").arg(s));
                }
                if (!Stych_form->Radek->text().startsWith(QStringLiteral("Bere ") + Players[winner]->Name + QLatin1Char(',')) || !Stych_form->Jmena[winner]->font().bold())
                    human.Fault(QStringLiteral("taker shown as %1").arg(Stych_form->Radek->text()));
                if (!opening && tricksSeen < 8) QTest::keyClick(Stych_form, Qt::Key_Escape);  // the last one closes by itself
            };
            human.onTick = [&] {
                if (ScriptedHuman::HumanAsked() && PlayedCount() < 4 && Form1->PosledniStych1->isEnabled())
                    human.Fault(QStringLiteral("last trick offered before a trick"));
                return false;
            };
            QVERIFY(TriggerReturns(command, 120000));
            QVERIFY2(human.faults.isEmpty(), qPrintable(human.faults.join('\n')));
            QCOMPARE(tricksSeen, tricks ? 8 : 0);
            QVERIFY(!Form1->PosledniStych1->isEnabled() && !(Stych_form && Stych_form->isVisible()));
        }
        PauseOverrideMs = 0;
    }

    // The chart: blanks of the sheet carry the totals on; the summary names the leaders, every
    // total and the largest jump; the four lines are painted readable on a light and a dark
    // background, and the legend's samples apart in grey.
    void chartOfTheMatch()
    {
        Zapis_form->Vymazat();
        int (&t)[4][41] = Zapis_form->RecordedTotals;
        t[0][0] = 3, t[1][0] = 5;                   // 1. kolo, Červený
        t[2][1] = 4, t[3][1] = 4;                   // Filky: 0 and 1 unchanged
        t[0][15] = 9, t[1][15] = 6, t[2][15] = 21;  // 2. kolo, Kvarty: the jump of 17
        t[3][16] = 6;
        const TPrubeh c = MatchCourse(t);
        QCOMPARE(c.entries, QList<int>({0, 1, 15, 16}));
        QCOMPARE(c.totals.last(), (std::array<int, 4>{9, 6, 21, 6}));
        ShowMatchChart();
        QVERIFY(QTest::qWaitForWindowExposed(Prubeh_form));
        QVERIFY(heard.contains(QStringLiteral("Průběh zápasu: vedou %1 a %2, 6 bodů. %3 9, %1 6, %4 21, %2 6. Největší skok: %4 o 17 bodů, 2. kolo, Kvarty.")
                                   .arg(Players[1]->Name, Players[3]->Name, Players[0]->Name, Players[2]->Name)));
        QPalette dark = Prubeh_form->palette();
        dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
        dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
        for (const QPalette &pal : {dark, Prubeh_form->palette()}) {
            Prubeh_form->setPalette(pal);
            const QImage img = Prubeh_form->Graf->grab().toImage();
            const QColor back = PaintedColours(Prubeh_form->Graf).first;
            QHash<int, int> hues;  // each line in its own hue, readable, with enough pixels to be a line
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (const QColor px = img.pixelColor(x, y); px.hsvSaturation() > 80 && ContrastRatio(px, back) >= 3) ++hues[px.hsvHue() / 12];
            QCOMPARE(std::count_if(hues.begin(), hues.end(), [](int n) { return n > 150; }), 4);
        }
        const QImage grey = Prubeh_form->Graf->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
        const auto legend = Prubeh_form->Graf->Legend();
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 4; ++j) QVERIFY(Distance(grey.copy(legend.sample[i]), grey.copy(legend.sample[j])) > 4);
        // It follows the sheet.
        Players[0]->Score = 30;
        Zapis_form->RecordScores(2, 0);
        QVERIFY(Prubeh_form->Graf->accessibleName().contains(Players[0]->Name + QStringLiteral(" 30")));
        Prubeh_form->close();
    }
};

QTEST_MAIN(TestRady)
#include "test_rady.moc"

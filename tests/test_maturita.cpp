// Maturita: the chooser window, the choice of contract, the attempts and their scores, and the
// final places of a match.
#include "harness.h"

#include <algorithm>

namespace {

const QStringList FullList = {"Červený", "Filky", "Pr-Po", "Všechny", "Červený král", "Kvarty", "Desítky"};
const QStringList ShortList = {"Červený", "Filky", "Všechny", "Červený král", "Kvarty", "Desítky"};

bool HumanAwaited()
{
    if (!TimerElapsed || HumanMoved) return false;
    for (TImage *im : HandImages)
        if (im->isEnabled()) return true;
    return false;
}

// What the board showed the first time play had begun after the chooser closed.
struct FirstLook {
    QString panel;
    bool tableInRow = false;
    bool layoutShown = false;
    QString hand;
};

// The scripted human, who lets the test see each state of the board before he acts on it,
// and may leave the chooser to the test.
class Watcher
{
public:
    explicit Watcher(unsigned seed) : human(seed)
    {
        // Once the chooser is closed here, the human waits until its window's loop has ended.
        human.onTick = [this] { return Look(); };
    }

    ScriptedHuman human;
    int pick = -1;          // chooser position picked here; -1 leaves the chooser to the human
    bool viaClose = false;  // close the chooser by its close box instead of "OK"
    int choosers = 0;
    QStringList items;      // the chooser list as last shown
    int openedAt = -1;      // the position selected when it was last shown
    bool lookPending = true;
    QList<FirstLook> looks;
    QStringList faults;

private:
    bool Look()
    {
        if (QApplication::activeModalWidget() == Maturita_form) {
            ++choosers;
            items = Maturita_form->Vyber_hru->Items();
            openedAt = Maturita_form->Vyber_hru->ItemIndex();
            lookPending = true;
            // The chooser sees the new deal while the contract panel still reads "Maturita".
            if (PanelText(1) != ContractName(Maturita)) faults << "panel during choice: " + PanelText(1);
            if (Players[0]->CardCount != 8) faults << QStringLiteral("no full hand to choose with");
            for (int i = 0; i < 8; ++i)
                if (HandImages[i]->PictureName() != CardResourceName(Players[0]->Hand[i])) faults << "hand not shown";
            if (Form1->Start1->isEnabled()) faults << QStringLiteral("menus enabled during choice");
            if (pick < 0) return false;
            QRadioButton *b = Maturita_form->Vyber_hru->Buttons().value(pick);
            if (!b) {
                faults << QStringLiteral("no position %1").arg(pick);
                Maturita_form->close();
                return true;
            }
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
            if (Maturita_form->Vyber_hru->ItemIndex() != pick) faults << QStringLiteral("click did not select");
            if (viaClose)
                Maturita_form->close();
            else
                QTest::mouseClick(Maturita_form->Volba, Qt::LeftButton);
            return true;
        }
        if (!lookPending || !ContractRunning() || PanelText(1) == ContractName(Maturita)) return false;
        if (!HumanAwaited() && TimerElapsed) return false;
        lookPending = false;
        FirstLook l;
        l.panel = PanelText(1);
        l.tableInRow = std::all_of(TrickImages, TrickImages + 4, [](TImage *im) { return im->y() == TrickImages[0]->y(); });
        l.layoutShown = std::all_of(LayoutImages, LayoutImages + 32, [](TImage *im) { return im->isVisible(); });
        for (TCard c : Players[0]->Hand) l.hand += QString::number(c) + ' ';
        looks << l;
        return false;
    }
};

}  // namespace

class TestMaturita : public QObject
{
    Q_OBJECT

    static void SetScores(int a, int b, int c, int d)
    {
        const int s[4] = {a, b, c, d};
        for (int i = 0; i < 4; ++i) Players[i]->Score = s[i];
    }

private slots:
    void initTestCase()
    {
        StartProgram();
        SeedRandom(1357);
    }

    void choiceMaps()
    {
        const int early[6] = {Cervene, Filky, Vsechny, CervenyKral, Kvarty, Desitky};
        for (int attempt : {1, 2})
            for (int pos = 0; pos < 6; ++pos) QCOMPARE(MaturitaChoice(attempt, pos), early[pos]);
        for (int pos = 0; pos < 7; ++pos) QCOMPARE(MaturitaChoice(3, pos), pos);
        for (int attempt : {1, 2, 3})
            for (int pos = 0; pos < 7; ++pos) QVERIFY(MaturitaChoice(attempt, pos) != Maturita);
    }

    void chooserSeat()
    {
        // The last seat holding the start flag chooses; seat 0 when nobody holds it.
        auto flags = [](std::initializer_list<bool> f) {
            int i = 0;
            for (bool b : f) Players[i++]->StartsRound = b;
        };
        flags({false, true, false, true});
        QCOMPARE(MaturitaChooser(), 3);
        flags({false, false, true, false});
        QCOMPARE(MaturitaChooser(), 2);
        flags({false, false, false, false});
        QCOMPARE(MaturitaChooser(), 0);
        flags({true, false, false, false});
        QCOMPARE(MaturitaChooser(), 0);
    }

    void chosenContractIsPlayed_data()
    {
        QTest::addColumn<int>("attempt");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("viaClose");
        QTest::addColumn<int>("contract");
        QTest::newRow("1: Všechny") << 1 << 2 << false << int(Vsechny);
        QTest::newRow("1: Kvarty") << 1 << 4 << false << int(Kvarty);
        QTest::newRow("1: Desítky, close box") << 1 << 5 << true << int(Desitky);
        QTest::newRow("2: Filky, close box") << 2 << 1 << true << int(Filky);
        QTest::newRow("2: Kvarty, close box") << 2 << 4 << true << int(Kvarty);
        QTest::newRow("2: Červený král") << 2 << 3 << false << int(CervenyKral);
        QTest::newRow("3: Pr-Po") << 3 << 2 << false << int(PrPo);
        QTest::newRow("3: Pr-Po, close box") << 3 << 2 << true << int(PrPo);
        QTest::newRow("3: Kvarty") << 3 << 5 << false << int(Kvarty);
        QTest::newRow("3: Desítky, close box") << 3 << 6 << true << int(Desitky);
        QTest::newRow("3: Červené") << 3 << 0 << false << int(Cervene);
    }

    void chosenContractIsPlayed()
    {
        QFETCH(int, attempt);
        QFETCH(int, position);
        QFETCH(bool, viaClose);
        QFETCH(int, contract);
        Watcher w(unsigned(attempt * 10 + position));
        w.pick = position;
        w.viaClose = viaClose;
        const int before = ScoreSum();
        RunCommand([attempt] { PlayMaturita(0, attempt); });
        QVERIFY2(w.faults.isEmpty(), qPrintable(w.faults.join('\n')));
        QVERIFY2(w.human.faults.isEmpty(), qPrintable(w.human.faults.join('\n')));
        QCOMPARE(w.choosers, 1);
        QCOMPARE(w.items, attempt < 3 ? ShortList : FullList);
        QCOMPARE(Maturita_form->Vyber_hru->Items(), FullList);  // whole again afterwards
        QCOMPARE(w.looks.size(), 1);
        const FirstLook &l = w.looks[0];
        QCOMPARE(l.panel, ContractName(contract));
        // The board is already laid out for the chosen contract when its play begins.
        QCOMPARE(l.tableInRow, contract == Kvarty);
        QCOMPARE(l.layoutShown, contract == Desitky);
        QVERIFY(BoardIdle());
        if (contract < Kvarty)
            QCOMPARE(ScoreSum() - before, 8);  // every trick contract hands out 8 points
        else
            QVERIFY(ScoreSum() > before);
    }

    void chooserKeepsItsPosition()
    {
        // The position stays selected for the next showing, the last one when the list is shorter.
        Watcher w(3);
        w.pick = 6;
        RunCommand([] { PlayMaturita(0, 3); });
        w.pick = 2;
        RunCommand([] { PlayMaturita(0, 1); });
        QCOMPARE(w.openedAt, 5);
        w.pick = 0;
        RunCommand([] { PlayMaturita(0, 3); });
        QCOMPARE(w.openedAt, 2);
        RunCommand([] { PlayMaturita(0, 2); });
        QCOMPARE(w.openedAt, 0);
        QCOMPARE(w.choosers, 4);
        QVERIFY2(w.faults.isEmpty(), qPrintable(w.faults.join('\n')));
    }

    void computerChooser()
    {
        Watcher w(11);
        w.pick = 0;
        Maturita_form->Vyber_hru->SetItemIndex(4);
        QStringList hands;
        for (int attempt = 1; attempt <= 3; ++attempt) {
            const int before = ScoreSum();
            RunCommand([attempt] {
                Players[0]->StartsRound = Players[0]->OnMove = false;
                Players[2]->StartsRound = Players[2]->OnMove = true;
                PlayMaturita(MaturitaChooser(), attempt);
            });
            Players[2]->StartsRound = Players[2]->OnMove = false;
            Players[0]->StartsRound = Players[0]->OnMove = true;
            QCOMPARE(ScoreSum() - before, 8);
            QCOMPARE(w.looks.size(), attempt);
            QCOMPARE(w.looks.last().panel, ContractName(CervenyKral));
            hands << w.looks.last().hand;
            w.lookPending = true;
        }
        QCOMPARE(w.choosers, 0);
        QCOMPARE(w.human.choosersSeen, 0);
        QCOMPARE(Maturita_form->Vyber_hru->Items(), FullList);
        QCOMPARE(Maturita_form->Vyber_hru->ItemIndex(), 4);
        QVERIFY(hands[0] != hands[1] || hands[1] != hands[2]);  // a new deal each time
        QVERIFY(BoardIdle());
        QCOMPARE(MaturitaChooser(), 0);
    }

    void trainingMaturita()
    {
        // Many training Maturitas with random choices: the list on every attempt, the standings
        // after every attempt and the scores they show.
        ScriptedHuman human(99);
        struct Attempt {
            QStringList items;
            int position;
            int opened;
            int before[4];
        };
        QList<Attempt> attempts;
        human.chooserPick = [&](int count) {
            Attempt a;
            a.items = Maturita_form->Vyber_hru->Items();
            a.opened = Maturita_form->Vyber_hru->ItemIndex();
            a.position = human.Roll(count);
            for (int i = 0; i < 4; ++i) a.before[i] = Players[i]->Score;
            attempts << a;
            return a.position;
        };
        int failures = 0, successes = 0, thirds = 0;
        int lastPick = Maturita_form->Vyber_hru->ItemIndex();
        for (int m = 0; m < 30; ++m) {
            SetScores(m % 5, 2 * m, 3, m % 2);  // earlier training points
            attempts.clear();
            human.standingsCaptions.clear();
            human.standingsTexts.clear();
            const int itemCountsBefore = human.chooserItemCounts.size();
            Form1->Maturita1->trigger();
            const int n = attempts.size();
            QVERIFY(n >= 1 && n <= 3);
            QCOMPARE(human.chooserItemCounts.size() - itemCountsBefore, n);
            QCOMPARE(human.standingsCaptions.size(), n);
            thirds += n == 3;
            for (int k = 0; k < n; ++k) {
                const Attempt &a = attempts[k];
                QCOMPARE(a.items, k < 2 ? ShortList : FullList);
                QCOMPARE(human.chooserItemCounts[itemCountsBefore + k], k < 2 ? 6 : 7);
                QCOMPARE(a.opened, std::min(lastPick, int(a.items.size()) - 1));
                lastPick = a.position;
                QCOMPARE(human.standingsCaptions[k], QStringLiteral("Stav po hře Maturita"));
                int after[4];  // the window's labels are the scripted human's check
                for (int i = 0; i < 4; ++i) after[i] = human.standingsTexts[k][4 + i].toInt();
                if (k + 1 < n) {
                    // Failed: the scores are set outright, and carry into the next attempt.
                    QCOMPARE(QList<int>(after, after + 4), (QList<int>{8, 0, 0, 0}));
                    QCOMPARE(QList<int>(attempts[k + 1].before, attempts[k + 1].before + 4), QList<int>(after, after + 4));
                    ++failures;
                    continue;
                }
                for (int i = 0; i < 4; ++i) QCOMPARE(after[i], Players[i]->Score);
                // A third attempt starts from 8, 0, 0, 0; a success there always gives the others
                // points, so those same scores mean it failed as well.
                if (n == 3 && QList<int>(after, after + 4) == QList<int>{8, 0, 0, 0}) {
                    ++failures;
                    continue;
                }
                // Succeeded: the chooser's score is untouched, the others keep what they took.
                ++successes;
                QCOMPARE(after[0], a.before[0]);
                int gained = 0;
                for (int i = 1; i < 4; ++i) {
                    QVERIFY(after[i] >= a.before[i]);
                    gained += after[i] - a.before[i];
                }
                if (MaturitaChoice(k + 1, a.position) < Kvarty) QCOMPARE(gained, 8);
            }
            QCOMPARE(Maturita_form->Vyber_hru->Items(), FullList);
            QVERIFY(BoardIdle());
        }
        QVERIFY2(human.faults.isEmpty(), qPrintable(human.faults.join('\n')));
        QVERIFY2(failures > 0 && successes > 0 && thirds > 0,
                 qPrintable(QStringLiteral("%1 failures, %2 successes, %3 third attempts").arg(failures).arg(successes).arg(thirds)));
        // Training writes nothing into the sheet and never moves the start.
        for (int p = 0; p < 4; ++p)
            for (int e = 0; e <= 40; ++e) QCOMPARE(Zapis_form->RecordedTotals[p][e], 0);
        QVERIFY(Players[0]->StartsRound);
        QCOMPARE(MaturitaChooser(), 0);
    }

    void finalPlaces()
    {
        struct Case {
            int totals[4];
            int places[4];
        };
        const Case cases[] = {
            {{10, 10, 20, 30}, {1, 1, 3, 4}}, {{7, 7, 7, 7}, {1, 1, 1, 1}}, {{5, 6, 7, 8}, {1, 2, 3, 4}},
            {{3, 9, 9, 9}, {1, 2, 2, 2}},     {{9, 9, 9, 3}, {2, 2, 2, 1}}, {{0, 50, 0, 50}, {1, 3, 1, 3}},
            {{64, 0, 24, 24}, {4, 1, 2, 2}},
        };
        for (const Case &c : cases) {
            // Every arrangement of the same totals among the seats gives the same places to them.
            int order[4] = {0, 1, 2, 3};
            do {
                int totals[4], expected[4], places[4] = {-1, -1, -1, -1};
                for (int i = 0; i < 4; ++i) {
                    totals[i] = c.totals[order[i]];
                    expected[i] = c.places[order[i]];
                }
                FinalPlaces(totals, places);
                for (int i = 0; i < 4; ++i) QCOMPARE(places[i], expected[i]);
            } while (std::next_permutation(order, order + 4));
        }
    }
};

QTEST_MAIN(TestMaturita)
#include "test_maturita.moc"

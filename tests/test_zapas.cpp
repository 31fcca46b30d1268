// Whole matches through the real board, judged by the score sheet they leave.
#include "harness.h"

#include <QTableWidget>

class TestZapas : public QObject
{
    Q_OBJECT

    static QString Shown(int v) { return v == 0 ? QStringLiteral("   -") : QStringLiteral("   %1").arg(v); }
    static QString Cell(int row, int col) { return Zapis_form->Tabulka->item(row, col)->text(); }
    static int Entry(int p, int e) { return Zapis_form->RecordedTotals[p][e]; }

    static QString GridMismatch()
    {
        for (int p = 0; p < 4; ++p)
            for (int e = 0; e <= 40; ++e)
                if (Cell(e + 1, p + 1) != Shown(Entry(p, e)))
                    return QStringLiteral("seat %1 row %2 shows '%3', holds %4").arg(p).arg(e + 1).arg(Cell(e + 1, p + 1)).arg(Entry(p, e));
        return QString();
    }

    // Reads the match back from the sheet and checks every rule it must obey; counts the failed
    // and the successful Maturita attempts, those of the human's round apart.
    static void CheckSheet(int &humanFailures, int &failures, int &successes)
    {
        int total[4] = {0, 0, 0, 0};  // running totals as the sheet tells them
        humanFailures = 0;
        for (int r = 0; r < 4; ++r) {
            for (int s = 0; s <= 6; ++s) {
                int gained = 0;
                for (int p = 0; p < 4; ++p) {
                    const int v = Entry(p, r * 10 + s);
                    if (v == 0) continue;
                    // An entry is a new, larger total: contracts only ever add points.
                    QVERIFY2(v > total[p], qPrintable(QStringLiteral("round %1 slot %2 seat %3: %4 after %5").arg(r).arg(s).arg(p).arg(v).arg(total[p])));
                    gained += v - total[p];
                    total[p] = v;
                }
                if (s <= CervenyKral) QCOMPARE(gained, 8);  // a trick contract hands out 8 points
                else QVERIFY(gained > 0);
            }
            // Maturita: the round's chooser is seat r; attempt k is slot 6 + k.
            const int chooser = r;
            bool anotherAttempt = true;
            for (int k = 1; k <= 3; ++k) {
                const int e = r * 10 + 6 + k;
                if (!anotherAttempt) {
                    for (int p = 0; p < 4; ++p) QCOMPARE(Entry(p, e), 0);
                    continue;
                }
                const int c = Entry(chooser, e);
                if (c != 0) {
                    // Failed: the chooser pays 8 on his total before the attempt, nobody else changes.
                    QCOMPARE(c, total[chooser] + 8);
                    total[chooser] = c;
                    for (int p = 0; p < 4; ++p)
                        if (p != chooser) QCOMPARE(Entry(p, e), 0);
                    humanFailures += chooser == 0;
                    ++failures;
                    continue;
                }
                // Succeeded: the chooser's total stands, the others may have gained.
                for (int p = 0; p < 4; ++p) {
                    const int v = Entry(p, e);
                    if (v == 0) continue;
                    QVERIFY(v > total[p]);
                    total[p] = v;
                }
                anotherAttempt = false;
                ++successes;
            }
        }
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(total[p], Players[p]->Score);
            QCOMPARE(Zapis_form->LastTotals[p], Players[p]->Score);
        }
        // The places: the lower total the better place, equal totals the same place.
        int places[4];
        FinalPlaces(total, places);
        bool first = false;
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(Entry(p, 40), places[p]);
            first = first || places[p] == 1;
            for (int q = 0; q < 4; ++q)
                if (total[p] < total[q]) QVERIFY(places[p] < places[q]);
                else if (total[p] == total[q]) QCOMPARE(places[p], places[q]);
        }
        QVERIFY(first);
    }

private slots:
    void initTestCase()
    {
        StartProgram();
        SeedRandom(4242);
    }

    void wholeMatches()
    {
        int failures = 0, successes = 0, sheetOpenChecks = 0;
        for (int m = 0; m < 8; ++m) {
            ScriptedHuman human(unsigned(100 + m));
            human.pressNextSometimes = m % 2 == 1;
            const bool sheetOpen = m % 3 != 2;
            if (sheetOpen) Form1->Zapis1->trigger();
            else Zapis_form->close();
            QString trouble;
            bool first = true;
            human.onPause = [&] {
                if (first && Zapis_form->isVisible()) {
                    // A match started with the sheet open shows it empty at once.
                    for (int row = 1; row <= 41; ++row)
                        for (int col = 1; col <= 4; ++col)
                            if (Cell(row, col) != QStringLiteral("   -") && !trouble.contains(QLatin1String("cleared")))
                                trouble += QStringLiteral("row %1 not cleared; ").arg(row);
                }
                first = false;
                if (Zapis_form->isVisible()) {
                    // The open sheet is redrawn after every record.
                    const QString bad = GridMismatch();
                    if (!bad.isEmpty() && trouble.size() < 400) trouble += bad + "; ";
                    ++sheetOpenChecks;
                }
            };
            Form1->Start1->trigger();
            QVERIFY2(human.faults.isEmpty(), qPrintable(human.faults.join('\n')));
            QVERIFY2(trouble.isEmpty(), qPrintable(trouble));
            // The match never shows a standings window.
            QVERIFY2(human.standingsCaptions.isEmpty(), qPrintable(human.standingsCaptions.join(", ")));

            int humanFailures = 0;
            CheckSheet(humanFailures, failures, successes);
            if (QTest::currentTestFailed()) return;
            // Only the human chooses in the chooser window: round 0, once per attempt.
            QCOMPARE(human.choosersSeen, std::min(humanFailures + 1, 3));
            for (int k = 0; k < human.chooserItemCounts.size(); ++k)
                QCOMPARE(human.chooserItemCounts[k], k < 2 ? 6 : 7);

            // The sheet is shown at the end with the whole record.
            QVERIFY(Zapis_form->isVisible());
            QCOMPARE(GridMismatch(), QString());
            QCOMPARE(Cell(41, 0), QStringLiteral("Pořadí"));
            // The start is back with the human, and everything is idle again.
            QCOMPARE(MaturitaChooser(), 0);
            for (THrac *p : Players) {
                QCOMPARE(p->StartsRound, p->Seat == 0);
                QCOMPARE(p->OnMove, p->StartsRound);
            }
            QVERIFY(BoardIdle());
            for (QAction *a : {Form1->Start1, Form1->Cerveny1, Form1->Filky1, Form1->PrPo1, Form1->Vsechny1,
                               Form1->CervenyKral1, Form1->Kvarty1, Form1->Desitky1, Form1->Maturita1})
                QVERIFY(a->isEnabled());
            for (TImage *im : HandImages) QVERIFY(!im->isEnabled());
            for (TImage *im : LayoutImages) QVERIFY(!im->isVisible());
            QVERIFY(!Form1->Next_but->isVisible());
        }
        QVERIFY(sheetOpenChecks > 0);
        QVERIFY2(failures > 0 && successes > 0, qPrintable(QStringLiteral("%1 failed, %2 passed").arg(failures).arg(successes)));
    }

    void trainingAfterMatch()
    {
        // The record stays until the next match; training adds to the totals the match left.
        ScriptedHuman human(5);
        int record[4][41];
        std::copy(&Zapis_form->RecordedTotals[0][0], &Zapis_form->RecordedTotals[0][0] + 4 * 41, &record[0][0]);
        const int before = ScoreSum();
        QVERIFY(before > 0);
        Form1->Vsechny1->trigger();
        QCOMPARE(ScoreSum(), before + 8);
        Form1->Kvarty1->trigger();
        QCOMPARE(human.standingsCaptions, (QStringList{"Stav po hře Všechny", "Stav po hře Kvarty"}));
        QVERIFY(std::equal(&record[0][0], &record[0][0] + 4 * 41, &Zapis_form->RecordedTotals[0][0]));
        Zapis_form->close();
        Form1->Zapis1->trigger();
        QCOMPARE(GridMismatch(), QString());
        QCOMPARE(Cell(41, 1), Shown(record[0][40]));
        QVERIFY(human.faults.isEmpty());
    }
};

QTEST_MAIN(TestZapas)
#include "test_zapas.moc"

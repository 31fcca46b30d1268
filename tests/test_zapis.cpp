// The score sheet window: its grid, its texts, and how the match's records reach it.
#include "harness.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

class TestZapis : public QObject
{
    Q_OBJECT

    static QTableWidget *Grid() { return Zapis_form->Tabulka; }
    static QString Cell(int row, int col) { return Grid()->item(row, col)->text(); }
    static QString Shown(int v) { return v == 0 ? QStringLiteral("   -") : QStringLiteral("   %1").arg(v); }
    static QPoint CellCentre(int row, int col)
    {
        return QPoint(Grid()->columnViewportPosition(col) + Grid()->columnWidth(col) / 2,
                      Grid()->rowViewportPosition(row) + Grid()->rowHeight(row) / 2);
    }
    // What a screen reader reads for a cell: its name and its row and column headers.
    static QStringList Read(int row, int col)
    {
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(Grid())->tableInterface()->cellAt(row, col);
        QStringList said{cell->text(QAccessible::Name)};
        for (const auto &headers : {cell->tableCellInterface()->rowHeaderCells(), cell->tableCellInterface()->columnHeaderCells()})
            for (QAccessibleInterface *h : headers) {
                said << h->text(QAccessible::Name);
                QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(h));
            }
        return said;
    }
    // Every data cell shows what the sheet holds.
    static bool GridShowsData(QString *why)
    {
        for (int p = 0; p < 4; ++p)
            for (int e = 0; e <= 40; ++e)
                if (Cell(e + 1, p + 1) != Shown(Zapis_form->RecordedTotals[p][e])) {
                    *why = QStringLiteral("seat %1 entry %2 shows '%3', holds %4")
                               .arg(p).arg(e).arg(Cell(e + 1, p + 1)).arg(Zapis_form->RecordedTotals[p][e]);
                    return false;
                }
        return true;
    }
    static void SetScores(std::initializer_list<int> s)
    {
        int i = 0;
        for (int v : s) Players[i++]->Score = v;
    }

private slots:
    void initTestCase()
    {
        StartProgram();
        SeedRandom(2024);
    }

    void beforeAnyMatch()
    {
        // The program starts with the board as its only window; the sheet is created hidden.
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible()) QCOMPARE(w, static_cast<QWidget *>(Form1));
        Form1->Zapis1->trigger();
        QVERIFY(Zapis_form->isVisible());
        QCOMPARE(Zapis_form->windowTitle(), QStringLiteral("Herní zápis"));
        QCOMPARE(Grid()->rowCount(), 42);
        QCOMPARE(Grid()->columnCount(), 5);
        QVERIFY(Cell(0, 0).isEmpty());
        const QStringList names = {"Hráč", "Počítač1", "Počítač2", "Počítač3"};
        for (int p = 0; p < 4; ++p) QCOMPARE(Cell(0, p + 1), names[p]);
        const QStringList labels = {"Červený", "Filky", "Pr-Po", "Všechny", "Č. Král",
                                    "Kvarty", "Desítky", "Maturita", "Maturita2", "Maturita3"};
        for (int r = 0; r < 4; ++r)
            for (int s = 0; s < 10; ++s) QCOMPARE(Cell(r * 10 + s + 1, 0), labels[s]);
        QCOMPARE(Cell(41, 0), QStringLiteral("Pořadí"));
        for (int row = 1; row <= 41; ++row)
            for (int col = 1; col <= 4; ++col) QCOMPARE(Cell(row, col), QStringLiteral("   -"));
        QVERIFY(Grid()->font().bold());
        QCOMPARE(Grid()->font().pixelSize(), 11);
        Zapis_form->close();
        QVERIFY(!Zapis_form->isVisible());
    }

    void windowAndGrid()
    {
        Form1->Zapis1->trigger();
        QCOMPARE(Zapis_form->size(), QSize(308, 674));
        QCOMPARE(Zapis_form->pos(), QPoint(484, 93));
        // Fixed border: neither the user nor a resize request changes the size.
        Zapis_form->resize(400, 800);
        QTest::qWait(1);
        QCOMPARE(Zapis_form->size(), QSize(308, 674));
        QCOMPARE(Grid()->geometry(), QRect(0, 0, 308, 681));
        // The whole sheet is in view without scrolling: all five columns and the places row.
        QCOMPARE(Grid()->rowViewportPosition(0), 0);
        QVERIFY(Grid()->columnViewportPosition(4) + Grid()->columnWidth(4) <= 308);
        QVERIFY(Grid()->rowViewportPosition(41) + Grid()->rowHeight(41) <= 674);
        for (int c = 0; c < 5; ++c) QCOMPARE(Grid()->columnWidth(c), Grid()->columnWidth(0));
        for (int r = 0; r < 42; ++r) QCOMPARE(Grid()->rowHeight(r), Grid()->rowHeight(0));
    }

    void cellsCannotBeEditedOrSelected()
    {
        // With a screen reader the grid takes the keys, but shows its cursor only once they move
        // it, on each opening anew: accessibility may be on with nobody at the keys.
        HeardSeam = [](const QString &) {};
        const auto deaf = qScopeGuard([] { HeardSeam = nullptr; });
        auto cell = [](int row, int col) { return Grid()->viewport()->grab(Grid()->visualItemRect(Grid()->item(row, col))).toImage(); };
        auto framed = [cell](int row) { return cell(row, 1) != cell(row, 2); };  // beside the same text
        for (int opening = 0; opening < 2; ++opening) {
            Zapis_form->close();
            Form1->Zapis1->trigger();
            QTRY_COMPARE(Grid()->currentRow(), 1);
            QVERIFY(Grid()->hasFocus() && !framed(1));
            QTest::keyClick(Grid(), Qt::Key_Down);
            QVERIFY(Grid()->currentRow() == 2 && framed(2));
        }
        QWidget *vp = Grid()->viewport();
        const QString before = Cell(5, 2);
        QTest::mouseDClick(vp, Qt::LeftButton, {}, CellCentre(5, 2));
        QTest::keyClick(Grid(), Qt::Key_F2);
        QTest::keyClicks(Grid(), QStringLiteral("77"));
        QTest::keyClick(Grid(), Qt::Key_Return);
        QVERIFY(!Grid()->findChild<QLineEdit *>());
        QCOMPARE(Cell(5, 2), before);
        // Neither a click, a drag nor "select all" leaves a selection.
        QTest::mouseClick(vp, Qt::LeftButton, {}, CellCentre(3, 1));
        QTest::mousePress(vp, Qt::LeftButton, {}, CellCentre(2, 1));
        QTest::mouseMove(vp, CellCentre(9, 4));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, CellCentre(9, 4));
        QTest::keyClick(Grid(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(Grid()->selectedItems().isEmpty());
        QVERIFY(!Grid()->selectionModel()->hasSelection());
    }

    void recordsOnlyChangedTotals()
    {
        Zapis_form->Vymazat();
        Form1->Zapis1->trigger();
        SetScores({0, 5, 0, 17});
        Zapis_form->RecordScores(1, 3);
        QCOMPARE(Zapis_form->RecordedTotals[1][13], 5);
        QCOMPARE(Zapis_form->RecordedTotals[3][13], 17);
        QCOMPARE(Zapis_form->RecordedTotals[0][13], 0);
        QCOMPARE(Zapis_form->RecordedTotals[2][13], 0);
        // The visible sheet is redrawn at once: row 14 is round 1, "Všechny".
        QCOMPARE(Cell(14, 0), QStringLiteral("Všechny"));
        QCOMPARE(Cell(14, 2), QStringLiteral("   5"));
        QCOMPARE(Cell(14, 4), QStringLiteral("   17"));
        QCOMPARE(Cell(14, 1), QStringLiteral("   -"));

        // An unchanged total leaves its cell empty although the player holds points.
        SetScores({4, 5, 0, 26});
        Zapis_form->RecordScores(1, 4);
        const int expected[4] = {4, 0, 0, 26};
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(Zapis_form->RecordedTotals[p][14], expected[p]);
            QCOMPARE(Cell(15, p + 1), Shown(expected[p]));
        }
        QCOMPARE(Zapis_form->LastTotals[0], 4);
        QCOMPARE(Zapis_form->LastTotals[1], 5);
        QCOMPARE(Zapis_form->LastTotals[3], 26);
        QCOMPARE(Zapis_form->RecordedTotals[1][13], 5);  // earlier rows stay

        // A total that drops back (a Maturita put right) is a change as well.
        SetScores({4, 5, 0, 18});
        Zapis_form->RecordScores(1, 7);
        QCOMPARE(Zapis_form->RecordedTotals[3][17], 18);
        QCOMPARE(Zapis_form->LastTotals[3], 18);
        // Places are shown like totals.
        Zapis_form->RecordedTotals[2][40] = 1;
        Zapis_form->FormShow();
        QCOMPARE(Cell(41, 3), QStringLiteral("   1"));
        QString why;
        QVERIFY2(GridShowsData(&why), qPrintable(why));
    }

    void refreshOnlyWhenVisible()
    {
        Zapis_form->close();
        SetScores({9, 5, 0, 18});
        Zapis_form->RecordScores(2, 0);
        QCOMPARE(Zapis_form->RecordedTotals[0][20], 9);
        QVERIFY(!Zapis_form->isVisible());  // recording does not open the sheet
        QCOMPARE(Cell(21, 1), QStringLiteral("   -"));  // drawn when next shown
        Zapis_form->RefreshSheet();
        QVERIFY(!Zapis_form->isVisible());
        QCOMPARE(Cell(21, 1), QStringLiteral("   -"));
        Form1->Zapis1->trigger();
        QCOMPARE(Cell(21, 1), QStringLiteral("   9"));
        // Closing only hides: the data are all still there when shown again.
        Zapis_form->close();
        Form1->Zapis1->trigger();
        QCOMPARE(Cell(15, 4), QStringLiteral("   26"));
    }

    void clearing()
    {
        Form1->Zapis1->trigger();
        Zapis_form->Vymazat();
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(Zapis_form->LastTotals[p], 0);
            for (int e = 0; e <= 40; ++e) QCOMPARE(Zapis_form->RecordedTotals[p][e], 0);
        }
        Zapis_form->FormShow();
        for (int row = 1; row <= 41; ++row)
            for (int col = 1; col <= 4; ++col) QCOMPARE(Cell(row, col), QStringLiteral("   -"));
        // After clearing every total counts as a change again.
        SetScores({9, 0, 0, 0});
        Zapis_form->RecordScores(0, 0);
        QCOMPARE(Zapis_form->RecordedTotals[0][0], 9);
        Zapis_form->Vymazat();
        SetScores({0, 0, 0, 0});
        Zapis_form->close();
    }

    void nameChangeShownAtNextShowing()
    {
        QLineEdit *edit = nastaveni_form->Jmeno2;
        Form1->Zapis1->trigger();
        edit->setText(QStringLiteral("Zdeněk"));
        QCOMPARE(Players[2]->Name, QStringLiteral("Zdeněk"));
        Form1->Zapis1->trigger();
        QCOMPARE(Cell(0, 3), QStringLiteral("Zdeněk"));
        // The round, which the eye takes from the position, is read with the row; so is the name.
        QCOMPARE(Read(25, 3), (QStringList{"   -", "3. kolo, Č. Král", "Zdeněk"}));
        QCOMPARE(Read(25, 0).first(), QStringLiteral("3. kolo, Č. Král"));
        QCOMPARE(Read(41, 0).first(), QStringLiteral("Pořadí"));

        // Activating the open sheet refills it as well. (The sheet is transient for the board,
        // so its window counts as active with the board's: wait for the widget's activation.)
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(Zapis_form));
        edit->setText(QStringLiteral("Alena"));
        Form1->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(Form1));
        QCOMPARE(Cell(0, 3), QStringLiteral("Zdeněk"));
        Zapis_form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(Zapis_form));
        QCOMPARE(Cell(0, 3), QStringLiteral("Alena"));
        edit->setText(QStringLiteral("Počítač2"));
        Zapis_form->close();
    }

    void openedDuringMatch()
    {
        // In the middle of round 0 the sheet shows totals only in the rows already played, and a
        // name typed into the settings reaches its header.
        ScriptedHuman human(7);
        int checks = 0;
        QString trouble;
        human.onPause = [&] {
            if (checks > 0 || PanelText(1) != ContractName(Kvarty)) return;
            ++checks;
            nastaveni_form->Jmeno1->setText(QStringLiteral("Bohouš"));
            Form1->Zapis1->trigger();
            if (Cell(0, 2) != QStringLiteral("Bohouš")) trouble += QStringLiteral("header not refreshed; ");
            QString why;
            if (!GridShowsData(&why)) trouble += why;
            for (int p = 0; p < 4; ++p)
                for (int e = 0; e <= 40; ++e) {
                    const bool played = e < 5;
                    if (!played && Zapis_form->RecordedTotals[p][e] != 0) trouble += QStringLiteral("entry %1 early; ").arg(e);
                }
            int sum = 0;
            for (int p = 0; p < 4; ++p) sum += Zapis_form->LastTotals[p];
            if (sum != 40) trouble += QStringLiteral("five trick contracts gave %1 points; ").arg(sum);
            Zapis_form->close();
        };
        Form1->Start1->trigger();
        QCOMPARE(checks, 1);
        QVERIFY2(trouble.isEmpty(), qPrintable(trouble));
        QVERIFY2(human.faults.isEmpty(), qPrintable(human.faults.join('\n')));
        // The match shows the sheet at its end, also when it was closed.
        QVERIFY(Zapis_form->isVisible());
        QCOMPARE(Cell(0, 2), QStringLiteral("Bohouš"));
        nastaveni_form->Jmeno1->setText(QStringLiteral("Počítač1"));
        QString why;
        QVERIFY2(GridShowsData(&why), qPrintable(why));
        Zapis_form->close();
    }
};

QTEST_MAIN(TestZapis)
#include "test_zapis.moc"

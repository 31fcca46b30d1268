#pragma once
// The score sheet of a match: running totals per contract and the final places.
#include <QWidget>

class QTableWidget;

class TZapis_form : public QWidget
{
    Q_OBJECT
public:
    TZapis_form();

    // Entries 0..39 are round * 10 + slot, entry 40 the final place; 0 = nothing recorded.
    int RecordedTotals[4][41] = {};
    int LastTotals[4] = {};
    QTableWidget *Tabulka;

    void FormCreate();
    void Vymazat();
    void FormShow();
    void RecordScores(int round, int slot);
    void RefreshSheet();
    // Text of one data cell: three blanks and the number, or "   -" when empty.
    static QString CellText(int value);
    // The name of an entry's contract (slot 0..9 of a round), as the sheet shows it.
    static QString SlotName(int slot);

signals:
    // Something was recorded, or the sheet was cleared.
    void Changed();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void FillGrid();
    // The sheet's height for the room on its screen, scrolling where it does not fit.
    void FitToRoom(int room);
    // The headings' cells in the theme's button colour.
    void PaintHeadings();
    int NewestRow() const;
    bool cursorPending_ = false;
    bool cursorShown_ = false;  // the keys have moved the cursor since the sheet opened
};

extern TZapis_form *Zapis_form;

#pragma once
// The last trick taken, in a small window of its own that follows the game while it is open.
#include <QDialog>

class QLabel;
class TImage;

class TStych_form : public QDialog
{
    Q_OBJECT
public:
    TStych_form();

    TImage *Karty[4];
    QLabel *Jmena[4];
    QLabel *Radek;  // who took it and for how many points; read whole by a screen reader

    // Shows the last trick of the running contract; closes once the contract has none.
    void Follow();
};

extern TStych_form *Stych_form;

// The window, made at its first showing.
void ShowLastTrickWindow();
// The last trick as a screen reader hears it: "Poslední štych: Hráč zelené 10, …. Bere …, 1 bod."
QString LastTrickWords();
// "1 bod", "3 body", "5 bodů".
QString PointsWords(int points);

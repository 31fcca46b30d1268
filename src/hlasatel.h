#pragma once
// Everything a screen reader hears of the game, and why it is heard so. Orca speaks what gains
// the keyboard focus and no other change of a name, so the game's news are collected as the
// game tells them and spoken at each wait by a move of the focus: at a pause to one of two small
// announcers laid over the place on the table where the last news happened (a magnifier that
// follows the focus shows those cards), or with the prompt, as part of the name of the hand card
// the focus goes to. What lies on the table is described when the reader asks for it.
#include "karty.h"

#include <QString>

#include <functional>

class QLabel;
class QWidget;
class TImage;

// What the board shows, for the description read on demand.
struct TStul {
    QString prompt;
    bool desitky = false;
    TCard trick[4] = {NoCard, NoCard, NoCard, NoCard};
    bool laid[32] = {};  // Desítky: the cards laid out
    QString names[4];
    bool computer[4] = {};
    int counts[4] = {}, points[4] = {};
};

// Sets up, before the windows are made, what the accessibility bus is told, and the prompt panel
// (the object named "Vyzva"), whose name a screen reader reads as the description of the table.
void SetUpAccessibility();
// Lays the announcers over `table`; `source` tells what the board shows.
void SetUpScreenReader(QWidget *table, std::function<TStul()> source);
// Whether a screen reader listens to the program.
bool ScreenReaderListens();

// What the game tells: a contract starts (round 0..3 of a match, -1 outside one), a contract is
// chosen, a card is laid, a trick taken, a player passes, the turn goes to a computer; `where` is
// the place on the board where it shows.
void TellContract(int round, int contract);
void TellChosen(int contract);
void TellCard(const QString &player, TCard card, QWidget *where);
void TellTrick(const QString &taker, QWidget *where);
void TellPass(const QString &player, QWidget *where);
void TellTurn(const QString &player, QWidget *where);
// The waits: a pause, the human's card asked for (the card then takes the focus, once the menus
// have let go of the keyboard), and the end of a contract, before its standings.
void TellAtPause();
void TellPrompt(TImage *card, const QString &prompt);
void TellContractEnd();
// A hint: the hinted card (or button) takes the focus, and a screen reader hears "Radím: " before
// its name, until it loses the focus.
void TellHint(QWidget *target);
// A computer's card count as a screen reader describes it: its player, and whether on turn.
void DescribeCount(QLabel *label, const QString &player, bool onTurn);

// A card as it is spoken: "kule král".
QString CardWords(TCard card);
// Something of a match's round (0..3) as it is spoken: "2. kolo, Filky".
QString InRound(int round, const QString &what);

// Test seam: where set, a screen reader listens, and is given what Orca speaks: the name of every
// object that gains the focus and the title of every window that becomes active.
extern std::function<void(const QString &)> HeardSeam;

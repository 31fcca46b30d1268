#pragma once
// Table state, deal, contract start, the pause, and the board window TForm1.
#include "hrac.h"
#include "karty.h"
#include "hlasatel.h"
#include "ovladace.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QDialog;
class QMenu;
class QPushButton;
class QTimer;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    TForm1();

    TKlient *Klient;
    TImage *Karta1, *Karta2, *Karta3, *Karta4, *Karta5, *Karta6, *Karta7, *Karta8;
    TImage *Image1, *Image2, *Image3, *Image4;
    QLabel *StaticText1, *StaticText2, *StaticText3;
    TStatusBar *StatusBar1;
    QPushButton *Next_but;
    QTimer *Timer1;
    QMenu *Hra1, *Zobrazit1, *Trenink1, *Napoveda1;
    QAction *Start1, *Nastaveni1, *Konec1, *Stav1, *Zapis1, *PosledniStych1, *Prubeh1;
    QAction *Cerveny1, *Filky1, *PrPo1, *Vsechny1, *CervenyKral1, *Kvarty1, *Desitky1, *Maturita1;
    QAction *Poradit1, *OhreTamsa1, *Oprogramu1;

    void FormCreate();
    void FormActivate();
    void FormResize();
    void PlaceCardImage(QWidget *image, int height, int width, int top, int left);
    void MenuZakaz();
    void MenuPovol();
    // Resizes the window so that its client area is w x h.
    void SetClientSize(int w, int h);

    // Contracts played on the board (their flow lives in hra.cpp).
    void PlayKvarty();
    void PlayDesitky();

public slots:
    void KartaClick(TImage *sender);
    void KartaDblClick(TImage *sender);
    void KartaKey(TImage *sender, int key);
    void Next_butClick();
    void Timer1Timer();
    void Konec1Click();
    void Start1Click();
    void Nastaveni1Click();
    void Stav1Click();
    void Zapis1Click();
    void PosledniStych1Click();
    void Prubeh1Click();
    void Poradit1Click();
    void Cerveny1Click();
    void Filky1Click();
    void PrPo1Click();
    void Vsechny1Click();
    void CervenyKral1Click();
    void Kvarty1Click();
    void Desitky1Click();
    void Maturita1Click();
    void OhreTamsa1Click();
    void Oprogramu1Click();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    bool created_ = false;
};

// --- the table state, shared by all game functions ---
extern TForm1 *Form1;
extern THrac *Players[4];
extern TImage *HandImages[8];
extern TImage *TrickImages[4];
extern TImage *SelectedImage;
extern bool HumanMoved;
extern bool TimerElapsed;
extern TCard TrickCards[4];
extern TImage *LayoutImages[32];
extern bool PlayedCards[32];

// Uniform 0..n-1 from the one clock-seeded generator.
int Random(int n);
void Randomize();
void SeedRandom(unsigned seed);

void DealCards();
void StartContract(int contract);
void WaitForTimer();
void PlayTrainingContract(int contract);
// Waits for the human's move in the contract played; meanwhile a hint may be asked for.
void AwaitHumanMove(THrac &p, int contract);
// Sleeps on the event queue until an event (or a thread that wakes the queue) makes `done` true;
// unwinds when the program ends meanwhile.
void WaitUntil(const std::function<bool()> &done);

// The modal standings window, built anew for every showing.
void ShowStandings(int contract);

// The round of the match being played (0..3), -1 outside a match.
extern int MatchRound;

// Status panels of the board.
void SetPanel(int panel, const QString &text);
QString PanelText(int panel);

// --- ending the program from inside a running contract ---
// Thrown by a wait once the program has been asked to end, so a running contract unwinds
// back to the menu command that started it; the command catches it and returns.
struct TKonecProgramu {};
extern bool Quitting;
void RequestQuit();
// Shows a modal window and returns when it closes (at once while the program is ending).
int ExecModal(QDialog *dialog);
// Unwinds the running contract once the program has been asked to end.
void CheckQuit();
// Runs a game command so that ending the program during it unwinds quietly.
template <typename F> void RunCommand(F &&f)
{
    try {
        f();
    } catch (const TKonecProgramu &) {
    }
}

// Test seam: a non-negative value replaces the pause length of the settings (ms).
extern int PauseOverrideMs;

// Seeds the generator and creates the program's windows in their order.
void CreateWindows();

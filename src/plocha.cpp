#include "plocha.h"

#include "hra.h"
#include "maturita_f.h"
#include "napoveda_f.h"
#include "nastaveni_f.h"
#include "o_programu_f.h"
#include "prubeh_f.h"
#include "stych_f.h"
#include "zapis_f.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <chrono>
#include <random>

TForm1 *Form1 = nullptr;
THrac *Players[4] = {};
TImage *HandImages[8] = {};
TImage *TrickImages[4] = {};
TImage *SelectedImage = nullptr;
bool HumanMoved = false;
bool TimerElapsed = true;
TCard TrickCards[4] = {NoCard, NoCard, NoCard, NoCard};
TImage *LayoutImages[32] = {};
bool PlayedCards[32] = {};
bool Quitting = false;
int PauseOverrideMs = -1;
int MatchRound = -1;

// ---------------------------------------------------------------- random

namespace {
std::mt19937 &Generator()
{
    static std::mt19937 gen;
    return gen;
}
}  // namespace

int Random(int n)
{
    std::uniform_int_distribution<int> d(0, n - 1);
    return d(Generator());
}

void Randomize()
{
    // Nanoseconds, so that programs started a moment apart deal different games.
    const auto ns = std::chrono::system_clock::now().time_since_epoch() / std::chrono::nanoseconds(1);
    std::seed_seq seq{unsigned(ns), unsigned(std::uint64_t(ns) >> 32)};
    Generator().seed(seq);
}

void SeedRandom(unsigned seed) { Generator().seed(seed); }

// ---------------------------------------------------------------- TForm1

TForm1::TForm1()
{
    Form1 = this;
    setWindowTitle(QStringLiteral("Karetní hra Tamsa"));
    setFont(SansFont(11));
    Klient = new TKlient(this);
    connect(Klient, &TKlient::Resized, this, &TForm1::FormResize);
    Klient->setBackgroundRole(QPalette::Button);
    Klient->setAutoFillBackground(true);
    setCentralWidget(Klient);

    TImage **hand[8] = {&Karta1, &Karta2, &Karta3, &Karta4, &Karta5, &Karta6, &Karta7, &Karta8};
    for (int i = 0; i < 8; ++i) {
        TImage *k = *hand[i] = new TImage(Klient);
        k->setObjectName(QStringLiteral("Karta%1").arg(i + 1));
        k->setGeometry(45 + 90 * i, 454, 80, 130);
        k->LoadPicture(QStringLiteral("RUB"));
        k->setEnabled(false);
        // The game moves the focus into the hand itself; Tab does not walk through it.
        k->setFocusPolicy(Qt::ClickFocus);
        connect(k, &TImage::Click, this, &TForm1::KartaClick);
        connect(k, &TImage::DblClick, this, &TForm1::KartaDblClick);
        connect(k, &TImage::Key, this, &TForm1::KartaKey);
    }
    TImage **table[4] = {&Image1, &Image2, &Image3, &Image4};
    const int tableDesign[4][2] = {{360, 216}, {270, 152}, {360, 85}, {450, 160}};
    for (int i = 0; i < 4; ++i) {
        TImage *im = *table[i] = new TImage(Klient);
        im->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        im->setGeometry(tableDesign[i][0], tableDesign[i][1], 80, 130);
        im->LoadPicture(QStringLiteral("RUB"));
    }
    QLabel **labels[3] = {&StaticText1, &StaticText2, &StaticText3};
    const int labelDesign[3][2] = {{27, 152}, {387, 0}, {763, 152}};
    for (int i = 0; i < 3; ++i) {
        QLabel *l = *labels[i] = new QLabel(QStringLiteral("0"), Klient);
        l->setObjectName(QStringLiteral("StaticText%1").arg(i + 1));
        l->setGeometry(labelDesign[i][0], labelDesign[i][1], 24, 44);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(HeavyFont(28));
        // On the board's button-face background a label would paint in the button-text
        // colour; the turn marker is set as the window-text colour, so paint with that.
        l->setForegroundRole(QPalette::WindowText);
    }
    Next_but = new QPushButton(QStringLiteral("Další hráč"), Klient);
    Next_but->setObjectName(QStringLiteral("Next_but"));
    Next_but->setGeometry(16, 309, 65, 27);
    Next_but->hide();
    connect(Next_but, &QPushButton::clicked, this, &TForm1::Next_butClick);
    Next_but->installEventFilter(this);
    menuBar()->installEventFilter(this);
    Klient->installEventFilter(this);
    // Reached with Tab from the hand only: a laid card's focus must not fall to it by itself.
    Next_but->setFocusPolicy(Qt::ClickFocus);

    StatusBar1 = new TStatusBar(Klient);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);  // a coarse timer may end a pause early
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    auto item = [this](QMenu *menu, const char *name, const QString &caption, void (TForm1::*slot)()) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    Hra1 = menuBar()->addMenu(QStringLiteral("&Hra"));
    Start1 = item(Hra1, "Start1", QStringLiteral("&Start"), &TForm1::Start1Click);
    Nastaveni1 = item(Hra1, "Nastaveni1", QStringLiteral("&Nastavení"), &TForm1::Nastaveni1Click);
    Konec1 = item(Hra1, "Konec1", QStringLiteral("&Konec"), &TForm1::Konec1Click);
    Zobrazit1 = menuBar()->addMenu(QStringLiteral("&Zobrazit"));
    Stav1 = item(Zobrazit1, "Stav1", QStringLiteral("&Stav"), &TForm1::Stav1Click);
    Zapis1 = item(Zobrazit1, "Zapis1", QStringLiteral("&Zapis"), &TForm1::Zapis1Click);
    PosledniStych1 = item(Zobrazit1, "PosledniStych1", QStringLiteral("Poslední š&tych"), &TForm1::PosledniStych1Click);
    PosledniStych1->setShortcut(Qt::Key_L);
    PosledniStych1->setEnabled(false);
    Prubeh1 = item(Zobrazit1, "Prubeh1", QStringLiteral("&Průběh"), &TForm1::Prubeh1Click);
    Prubeh1->setShortcut(Qt::Key_G);
    Trenink1 = menuBar()->addMenu(QStringLiteral("&Trénink"));
    Cerveny1 = item(Trenink1, "Cerveny1", QStringLiteral("Č&ervené"), &TForm1::Cerveny1Click);
    Filky1 = item(Trenink1, "Filky1", QStringLiteral("&Filky"), &TForm1::Filky1Click);
    PrPo1 = item(Trenink1, "PrPo1", QStringLiteral("&Pr-Po"), &TForm1::PrPo1Click);
    Vsechny1 = item(Trenink1, "Vsechny1", QStringLiteral("&Všechny"), &TForm1::Vsechny1Click);
    CervenyKral1 = item(Trenink1, "CervenyKral1", QStringLiteral("Če&rvený Král"), &TForm1::CervenyKral1Click);
    Kvarty1 = item(Trenink1, "Kvarty1", QStringLiteral("&Kvarty"), &TForm1::Kvarty1Click);
    Desitky1 = item(Trenink1, "Desitky1", QStringLiteral("&Desítky"), &TForm1::Desitky1Click);
    Maturita1 = item(Trenink1, "Maturita1", QStringLiteral("Maturita"), &TForm1::Maturita1Click);
    Napoveda1 = menuBar()->addMenu(QStringLiteral("&Nápověda"));
    Poradit1 = item(Napoveda1, "Poradit1", QStringLiteral("Po&radit"), &TForm1::Poradit1Click);
    Poradit1->setShortcut(Qt::Key_H);
    Poradit1->setEnabled(false);
    Napoveda1->addSeparator();
    OhreTamsa1 = item(Napoveda1, "OhreTamsa1", QStringLiteral("O &hře Tamsa"), &TForm1::OhreTamsa1Click);
    Oprogramu1 = item(Napoveda1, "Oprogramu1", QStringLiteral("O &programu"), &TForm1::Oprogramu1Click);

    FormCreate();
    FormActivate();
    for (THrac *p : Players) PaintCount(*p);
    created_ = true;
    SetPlace(this, {241, 324}, {496, 500}, TOuter::Minimum);
    SetClientSize(725, 585);
    FormResize();
}

void TForm1::FormCreate()
{
    Players[0] = new THrac(false, 0, true);
    Players[1] = new THrac(true, 1, false);
    Players[2] = new THrac(true, 2, false);
    Players[3] = new THrac(true, 3, false);
    TimerElapsed = true;
    StatusBar1->setFont(SansFont(19, true));
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 8; ++k) {
            auto *im = new TImage(Klient);
            im->setObjectName(QStringLiteral("LayoutImage%1").arg(8 * r + k));
            im->setGeometry(60 * k + 153, 95 * r + 65, 55, 90);
            im->LoadPicture(CardResourceName(NoCard));
            im->setEnabled(false);
            im->hide();
            LayoutImages[8 * r + k] = im;
        }
    StatusBar1->raise();
}

void TForm1::FormActivate()
{
    TImage *hand[8] = {Karta1, Karta2, Karta3, Karta4, Karta5, Karta6, Karta7, Karta8};
    for (int i = 0; i < 8; ++i) HandImages[i] = hand[i];
    TImage *table[4] = {Image1, Image2, Image3, Image4};
    for (int i = 0; i < 4; ++i) TrickImages[i] = table[i];
}

void TForm1::SetClientSize(int w, int h)
{
    resize(w, h + menuBar()->sizeHint().height());
}

bool TForm1::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && created_)
        FormActivate();
    return QMainWindow::event(e);
}

void TForm1::closeEvent(QCloseEvent *e)
{
    e->accept();
    RequestQuit();
}

void TForm1::PlaceCardImage(QWidget *image, int height, int width, int top, int left)
{
    image->setGeometry(left, top, width, height);
}

void TForm1::FormResize()
{
    if (!created_)
        return;
    const int w = Klient->width(), h = Klient->height();
    const float sy = float(h) / 600.0f;
    const float sx = float(w) / 800.0f;
    // Design units times the factor, truncated toward zero (the product is exact in double).
    auto X = [sx](int v) { return int(double(v) * double(sx)); };
    auto Y = [sy](int v) { return int(double(v) * double(sy)); };

    for (int i = 0; i < 8; ++i) {
        TImage *im = HandImages[i];
        PlaceCardImage(im, Y(125), X(80), Y(im == SelectedImage ? 439 : 449), X(90 * i + 45));
    }
    if (StatusBar1->Text(1) == ContractName(Kvarty)) {
        const int lefts[4] = {225, 315, 405, 495};
        for (int i = 0; i < 4; ++i)
            PlaceCardImage(TrickImages[i], Y(130), X(80), Y(152), X(lefts[i]));
    } else {
        const int cross[4][2] = {{216, 360}, {152, 270}, {85, 360}, {152, 450}};
        for (int i = 0; i < 4; ++i)
            PlaceCardImage(TrickImages[i], Y(130), X(80), Y(cross[i][0]), X(cross[i][1]));
    }
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 8; ++k)
            PlaceCardImage(LayoutImages[8 * r + k], Y(90), X(55), Y(95 * r + 65), X(60 * k + 153));
    Next_but->move(X(20), Y(380));
    StaticText1->move(X(27), Y(152));
    StaticText2->move(X(387), Y(0));
    StaticText3->move(X(763), Y(152));
    // The status bar stays docked at the bottom, over the lower edge of the hand.
    StatusBar1->setGeometry(0, h - 33, w, 33);
    StatusBar1->raise();
}

void TForm1::MenuZakaz()
{
    for (QAction *a : {Start1, Cerveny1, Filky1, PrPo1, Vsechny1, CervenyKral1, Kvarty1, Desitky1, Maturita1})
        a->setEnabled(false);
}

void TForm1::MenuPovol()
{
    for (QAction *a : {Start1, Cerveny1, Filky1, PrPo1, Vsechny1, CervenyKral1, Kvarty1, Desitky1, Maturita1})
        a->setEnabled(true);
}

void TForm1::Timer1Timer()
{
    TimerElapsed = true;
    Timer1->stop();
}

void TForm1::Konec1Click() { RequestQuit(); }

void TForm1::Nastaveni1Click() { ExecModal(nastaveni_form); }

void TForm1::Zapis1Click() { Zapis_form->FormShow(); }

void TForm1::PosledniStych1Click() { ShowLastTrickWindow(); }

void TForm1::Prubeh1Click() { ShowMatchChart(); }

void TForm1::Stav1Click() { ShowStandings(ZadnaHra); }

void TForm1::OhreTamsa1Click()
{
    napoveda_form->show();
    napoveda_form->raise();
    napoveda_form->activateWindow();
}

void TForm1::Oprogramu1Click()
{
    O_programu_form->show();
    O_programu_form->raise();
    O_programu_form->activateWindow();
}

void TForm1::Cerveny1Click() { RunCommand([] { PlayTrainingContract(Cervene); ShowStandings(Cervene); }); }
void TForm1::Filky1Click() { RunCommand([] { PlayTrainingContract(Filky); ShowStandings(Filky); }); }
void TForm1::PrPo1Click() { RunCommand([] { PlayTrainingContract(PrPo); ShowStandings(PrPo); }); }
void TForm1::Vsechny1Click() { RunCommand([] { PlayTrainingContract(Vsechny); ShowStandings(Vsechny); }); }
void TForm1::CervenyKral1Click()
{
    RunCommand([] { PlayTrainingContract(CervenyKral); ShowStandings(CervenyKral); });
}
void TForm1::Kvarty1Click()
{
    RunCommand([this] { StartContract(Kvarty); PlayKvarty(); ShowStandings(Kvarty); });
}
void TForm1::Desitky1Click()
{
    RunCommand([this] { StartContract(Desitky); PlayDesitky(); ShowStandings(Desitky); });
}

// ---------------------------------------------------------------- waiting

void WaitUntil(const std::function<bool()> &done)
{
    while (!done()) {
        CheckQuit();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    CheckQuit();
}

static void WaitUntil(const bool &flag) { WaitUntil([&flag] { return flag; }); }

// ---------------------------------------------------------------- human moves

// The card the keyboard starts from: the raised one if it may be laid, else the first that may.
static TImage *HandFocusTarget()
{
    if (SelectedImage && SelectedImage->isEnabled())
        return SelectedImage;
    for (TImage *im : HandImages)
        if (im->isEnabled()) return im;
    return nullptr;
}

// The wait for the human's move that a hint is asked in.
static THrac *Asked = nullptr;
static int AskedContract = 0;

void AwaitHumanMove(THrac &p, int contract)
{
    for (int i = 0; i < 8; ++i)
        HandImages[i]->setEnabled(p.Weights[i] > 0);
    // While the human is asked, the cards that may not be laid are dimmed, and a hint may be
    // asked for.
    struct Veil {
        Veil(THrac &p, int contract)
        {
            for (int i = 0; i < 8; ++i) HandImages[i]->SetDimmed(p.Weights[i] <= 0 && p.Hand[i] != NoCard);
            Asked = &p;
            AskedContract = contract;
            Form1->Poradit1->setEnabled(true);
        }
        ~Veil()
        {
            for (TImage *im : HandImages) im->SetDimmed(false);
            Asked = nullptr;
            Form1->Poradit1->setEnabled(false);
        }
    } veil(p, contract);
    if (TImage *target = HandFocusTarget()) {
        // A screen reader hears what happened since the last wait, then the prompt and the card.
        TellPrompt(target, PanelText(0));
    }
    HumanMoved = false;
    WaitUntil(HumanMoved);
}

void TForm1::Poradit1Click()
{
    if (!Asked || !Poradit1->isEnabled())
        return;
    Poradit1->setEnabled(false);  // one hint at a time
    RunCommand([this] {
        const TCard move = Hint(*Asked, AskedContract);
        if (HumanMoved || !Asked)
            return;  // the player moved while it was thought out
        Poradit1->setEnabled(true);
        QWidget *target = nullptr;
        if (move == KonecTahu && Next_but->isVisible() && Next_but->isEnabled())
            target = Next_but;
        for (int i = 0; i < 8; ++i)
            if (move != KonecTahu && Asked->Hand[i] == move && HandImages[i]->isEnabled()) {
                target = HandImages[i];
                if (SelectedImage != HandImages[i]) KartaClick(HandImages[i]);
            }
        if (target) TellHint(target);
    });
}

static int HumanSeat()
{
    int h = 0;
    for (int s = 0; s < 4; ++s)
        if (!Players[s]->IsComputer) h = s;
    return h;
}

void TForm1::KartaClick(TImage *sender)
{
    if (SelectedImage)
        SelectedImage->move(SelectedImage->x(), SelectedImage->y() + 10);
    SelectedImage = sender;
    sender->move(sender->x(), sender->y() - 10);
}

void TForm1::KartaDblClick(TImage *sender)
{
    const int h = HumanSeat();
    THrac &p = *Players[h];
    const QString mode = StatusBar1->Text(1);
    for (int i = 0; i < 8; ++i) {
        if (sender == HandImages[i] && p.Hand[i] != NoCard) {
            const TCard c = p.Hand[i];
            TellCard(p.Name, c, mode == ContractName(Kvarty) ? TrickImages[0] : mode == ContractName(Desitky) ? LayoutImages[c] : TrickImages[h]);
            if (mode == ContractName(Kvarty)) {
                TrickCards[0] = c;
                TrickImages[0]->CopyPicture(sender);
            } else if (mode == ContractName(Desitky)) {
                for (THrac *q : Players)
                    if (q->OnMove) q->PlayedThisTurn = true;
                LayoutImages[c]->CopyPicture(sender);
            } else {
                TrickImages[h]->CopyPicture(sender);
                TrickCards[h] = c;
            }
            PlayedCards[c] = true;
            p.Hand[i] = NoCard;
            --p.CardCount;
        }
        HandImages[i]->setEnabled(false);
    }
    SelectedImage = nullptr;
    FormResize();
    sender->LoadPicture(CardResourceName(NoCard));
    HumanMoved = true;
}

void TForm1::KartaKey(TImage *sender, int key)
{
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (Next_but->isVisible() && Next_but->isEnabled())
            Next_but->setFocus(key == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
    }
    sender->SetNews(QString());  // heard with the prompt already
    QList<TImage *> allowed;
    for (TImage *im : HandImages)
        if (im->isEnabled()) allowed << im;
    const int n = int(allowed.size()), at = int(allowed.indexOf(sender));
    if (at < 0)
        return;
    TImage *to = key == Qt::Key_Home  ? allowed.first()
                 : key == Qt::Key_End ? allowed.last()
                 : key == Qt::Key_Left ? allowed[(at + n - 1) % n]
                                       : allowed[(at + 1) % n];
    to->setFocus(Qt::OtherFocusReason);
    KartaClick(to);
}

bool TForm1::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonPress)
        TImage::MouseUsed();
    // A new theme may make the counts' colours unreadable on the new board colour.
    if (watched == Klient && e->type() == QEvent::PaletteChange)
        for (THrac *p : Players) PaintCount(*p);
    // "Další hráč": Tab goes back to the hand, Return presses it as Space does.
    if (watched == Next_but && e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        const int key = k->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            if (TImage *target = HandFocusTarget())
                target->setFocus(key == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (Next_but->isEnabled() && !k->isAutoRepeat()) Next_but->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TForm1::Next_butClick()
{
    for (TImage *im : HandImages) im->setEnabled(false);
    Next_but->setEnabled(false);
    for (int i = 0; i < 4; ++i)
        if (Players[i]->OnMove) {
            Players[i]->PlayedThisTurn = false;
            Players[i]->OnMove = false;
            Players[(i + 1) % 4]->OnMove = true;
            break;
        }
    HumanMoved = true;
}

// ---------------------------------------------------------------- deal, start, pause

void SetPanel(int panel, const QString &text) { Form1->StatusBar1->SetText(panel, text); }
QString PanelText(int panel) { return Form1->StatusBar1->Text(panel); }

void DealCards()
{
    SelectedImage = nullptr;
    Form1->FormResize();
    for (THrac *p : Players) p->ResetHand();
    int candidates[4] = {0, 1, 2, 3};
    int n = 4;
    const bool largerRight = nastaveni_form && nastaveni_form->RadioGroup1->ItemIndex() == 1;
    for (int i = 0; i < 32; ++i) {
        const TCard code = TCard(largerRight ? i : 31 - i);
        const int k = Random(n);
        THrac *p = Players[candidates[k]];
        p->AddCard(code);
        if (p->CardCount == 8) {
            --n;
            candidates[k] = candidates[n];
        }
    }
}

void StartContract(int contract)
{
    SetPanel(1, ContractName(contract));
    TellContract(MatchRound, contract);
    Form1->MenuZakaz();
    DealCards();
    for (int s = 0; s < 4; ++s) {
        for (int c = 8 * s; c < 8 * s + 8; ++c) PlayedCards[c] = false;
        TrickImages[s]->LoadPicture(CardResourceName(NoCard));
        TrickCards[s] = NoCard;
    }
}

void WaitForTimer()
{
    TellAtPause();
    TimerElapsed = false;
    const int ms = PauseOverrideMs >= 0 ? PauseOverrideMs : nastaveni_form->TrackBar1->value() * 500;
    Form1->Timer1->setInterval(ms);
    Form1->Timer1->start();
    WaitUntil(TimerElapsed);
}

void PlayTrainingContract(int contract)
{
    StartContract(contract);
    PlayTrickContract(contract);
}

// ---------------------------------------------------------------- ending the program

void CheckQuit()
{
    if (Quitting)
        throw TKonecProgramu{};
}

int ExecModal(QDialog *dialog)
{
    if (Quitting)
        return QDialog::Rejected;
    return dialog->exec();
}

void RequestQuit()
{
    if (Quitting)
        return;
    Quitting = true;
    Form1->Timer1->stop();
    // Modal windows end their own loops when they close.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != Form1 && w->isVisible())
            w->close();
    QCoreApplication::quit();
    // Wake a wait that sleeps for the next event, so it sees the request at once.
    if (auto *d = QAbstractEventDispatcher::instance())
        d->wakeUp();
}

// ---------------------------------------------------------------- standings

void ShowStandings(int contract)
{
    QDialog window(Form1);
    window.setWindowTitle(QStringLiteral("Stav po hře ") + ContractName(contract));
    window.setFont(SansFont(11));
    SetPlace(&window, {300, 300}, {300, 100}, TOuter::Size);
    QStringList pairs;  // what a screen reader reads of the window: each name with its total
    // A column is 50 pixels wide, or as wide as its name and a gap where the name is longer.
    QLabel *names[4];
    for (int i = 0; i < 4; ++i) {
        names[i] = new QLabel(Players[i]->Name, &window);
        names[i]->adjustSize();
        pairs << Players[i]->Name + QLatin1Char(' ') + QString::number(Players[i]->Score);
    }
    int left = 30;
    for (int i = 0; i < 4; ++i) {
        auto *score = new QLabel(QString::number(Players[i]->Score), &window);
        score->adjustSize();
        names[i]->move(left, 10);
        score->move(left, 30);
        left += qMax(50, qMax(names[i]->width(), score->width()) + 12);
    }
    // The window grows with long names: its design size can shrink it no further.
    window.setMinimumWidth(left - 12 + 30);
    window.setAccessibleDescription(pairs.join(QStringLiteral(", ")));
    ExecModal(&window);
}

// ---------------------------------------------------------------- program start

// What the board shows, as a screen reader describes it.
static TStul TableNow()
{
    TStul t;
    t.prompt = PanelText(0);
    t.desitky = PanelText(1) == ContractName(Desitky);
    std::copy(TrickCards, TrickCards + 4, t.trick);
    std::copy(PlayedCards, PlayedCards + 32, t.laid);
    for (int p = 0; p < 4; ++p) {
        t.names[p] = Players[p]->Name;
        t.computer[p] = Players[p]->IsComputer;
        t.counts[p] = Players[p]->CardCount;
        t.points[p] = Players[p]->Score;
    }
    return t;
}

void CreateWindows()
{
    if (Form1)
        return;
    Randomize();
    SetUpAccessibility();
    InitCardPictures();
    // The window icon in its 48-pixel size only: a larger picture would be decoded at every
    // start for a title bar that shows a few pixels; the desktop takes its large icons from
    // the installed theme.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tamsa-48.png")));
    new TForm1;
    nastaveni_form = new Tnastaveni_form;
    napoveda_form = new Tnapoveda_form;
    O_programu_form = new TO_programu_form;
    Zapis_form = new TZapis_form;
    Maturita_form = new TMaturita_form;
    // Transient for the board, so that a compositor that places windows itself (Wayland)
    // puts them over it.
    for (QWidget *w : std::initializer_list<QWidget *>{nastaveni_form, napoveda_form, O_programu_form, Zapis_form,
                                                        Maturita_form})
        w->setParent(Form1, w->windowFlags());
    SetUpScreenReader(Form1->Klient, TableNow);
    LastTrickChanged = [] {
        Form1->PosledniStych1->setEnabled(LastTrick.leader >= 0);
        if (Stych_form && Stych_form->isVisible()) Stych_form->Follow();
    };
    Form1->show();
}

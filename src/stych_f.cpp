#include "stych_f.h"

#include "hlasatel.h"
#include "hra.h"
#include "ovladace.h"
#include "plocha.h"

#include <QGridLayout>
#include <QLabel>

TStych_form *Stych_form = nullptr;

QString PointsWords(int points)
{
    const char *word = points == 1 ? "bod" : points >= 2 && points <= 4 ? "body" : "bodů";
    return QString::number(points) + QLatin1Char(' ') + QString::fromUtf8(word);
}

QString LastTrickWords()
{
    const TStych &t = LastTrick;
    if (t.leader < 0) return QString();
    QStringList cards;
    for (int k = 0; k < 4; ++k) {
        const int s = (t.leader + k) % 4;  // in the order they were laid
        cards << Players[s]->Name + QLatin1Char(' ') + CardWords(t.cards[s]);
    }
    return QStringLiteral("Poslední štych: %1. Bere %2, %3.")
        .arg(cards.join(QStringLiteral(", ")), Players[t.winner]->Name, PointsWords(t.points));
}

TStych_form::TStych_form()
{
    setWindowTitle(QStringLiteral("Poslední štych"));
    setObjectName(QStringLiteral("Stych_form"));
    setFont(SansFont(11));
    SetPlace(this, {990, 200}, {260, 380}, TOuter::Size);
    auto *grid = new QGridLayout(this);
    // The seats sit as on the board: the player at the bottom, then round to the right.
    const int cells[4][2] = {{2, 1}, {1, 0}, {0, 1}, {1, 2}};
    for (int s = 0; s < 4; ++s) {
        auto *box = new QVBoxLayout;
        Jmena[s] = new QLabel(this);
        Jmena[s]->setAlignment(Qt::AlignCenter);
        Karty[s] = new TImage(this);
        Karty[s]->setObjectName(QStringLiteral("Stych%1").arg(s));
        Karty[s]->setFixedSize(55, 90);
        box->addWidget(Jmena[s]);
        box->addWidget(Karty[s], 0, Qt::AlignHCenter);
        grid->addLayout(box, cells[s][0], cells[s][1]);
    }
    Radek = new QLabel(this);
    Radek->setObjectName(QStringLiteral("Radek"));
    Radek->setAlignment(Qt::AlignCenter);
    Radek->setWordWrap(true);
    grid->addWidget(Radek, 3, 0, 1, 3);
}

void TStych_form::Follow()
{
    const TStych &t = LastTrick;
    if (t.leader < 0) {
        close();
        return;
    }
    for (int s = 0; s < 4; ++s) {
        Karty[s]->LoadPicture(CardResourceName(t.cards[s]));
        Jmena[s]->setText(Players[s]->Name);
        QFont f = Jmena[s]->font();
        f.setBold(s == t.winner);
        Jmena[s]->setFont(f);
    }
    Radek->setText(QStringLiteral("Bere %1, %2.").arg(Players[t.winner]->Name, PointsWords(t.points)));
    Radek->setAccessibleName(LastTrickWords());
}

void ShowLastTrickWindow()
{
    if (LastTrick.leader < 0) return;
    if (!Stych_form) {
        Stych_form = new TStych_form;
        Stych_form->setParent(Form1, Stych_form->windowFlags());
    }
    Stych_form->Follow();
    Stych_form->show();
    Stych_form->raise();
    Stych_form->activateWindow();
}

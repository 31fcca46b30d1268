#include "maturita_f.h"

#include "ovladace.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TMaturita_form *Maturita_form = nullptr;

TMaturita_form::TMaturita_form()
{
    setWindowTitle(QStringLiteral("Maturita"));
    setFont(SansFont(11));
    SetPlace(this, {192, 114}, {164, 354}, TOuter::Size);

    Label1 = new QLabel(QStringLiteral("Co se bude hrát:"), this);
    Label1->setFont(SansFont(19, true));
    Label1->setGeometry(0, 0, 156, 24);

    Vyber_hru = new TRadioGroup(this);
    Vyber_hru->setObjectName(QStringLiteral("Vyber_hru"));
    Vyber_hru->setGeometry(16, 32, 121, 241);
    Vyber_hru->SetItems({QStringLiteral("Červený"), QStringLiteral("Filky"), QStringLiteral("Pr-Po"),
                         QStringLiteral("Všechny"), QStringLiteral("Červený král"), QStringLiteral("Kvarty"),
                         QStringLiteral("Desítky")});
    Vyber_hru->SetItemIndex(0);
    Vyber_hru->SetGroupName(QStringLiteral("Co se bude hrát"));

    Volba = new QPushButton(QStringLiteral("OK"), this);
    Volba->setObjectName(QStringLiteral("Volba"));
    Volba->setGeometry(56, 288, 49, 25);
    Volba->setDefault(true);
    connect(Volba, &QPushButton::clicked, this, &TMaturita_form::VolbaClick);
}

void TMaturita_form::VolbaClick() { accept(); }

void TMaturita_form::showEvent(QShowEvent *e)
{
    // The keyboard starts on the selected contract, where the arrows move the selection.
    if (QRadioButton *b = Vyber_hru->Buttons().value(Vyber_hru->ItemIndex()))
        b->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(e);
}

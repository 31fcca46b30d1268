#include "nastaveni_f.h"

#include "hra.h"
#include "plocha.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

Tnastaveni_form *nastaveni_form = nullptr;

namespace {
QLabel *Heading(QWidget *parent, const QString &text, int px, int left, int top)
{
    auto *l = new QLabel(text, parent);
    QFont f = SansFont(px, true);
    f.setUnderline(true);
    l->setFont(f);
    l->move(left, top);  // sized to its text when first shown
    return l;
}
}  // namespace

Tnastaveni_form::Tnastaveni_form()
{
    setWindowTitle(QStringLiteral("Nastavení"));
    setFont(SansFont(11));
    SetPlace(this, {644, 155}, {501, 370}, TOuter::Size);

    Label1 = Heading(this, QStringLiteral("Rychlost štychů :"), 16, 24, 16);
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(208, 16, 153, 25);
    TrackBar1->setRange(1, 10);
    TrackBar1->setValue(3);
    TrackBar1->setPageStep(1);
    TrackBar1->setSingleStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setAccessibleName(Label1->text());
    connect(TrackBar1, &QSlider::valueChanged, this, &Tnastaveni_form::TrackBar1Change);
    Label2 = new QLabel(QStringLiteral("1"), this);
    Label2->setFont(SansFont(13));
    Label2->move(216, 40);
    Label3 = new QLabel(QStringLiteral("10"), this);
    Label3->setFont(SansFont(13));
    Label3->move(344, 40);

    Label4 = Heading(this, QStringLiteral("Směr srovnání karet :"), 16, 24, 64);
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(216, 64, 137, 65);
    RadioGroup1->SetItems({QStringLiteral("Menší vpravo"), QStringLiteral("Větší vpravo")});
    RadioGroup1->SetItemIndex(0);
    RadioGroup1->SetGroupName(QStringLiteral("Směr srovnání karet"));

    Label5 = Heading(this, QStringLiteral("Nastavení hráčů :"), 16, 24, 136);
    Label6 = Heading(this, QStringLiteral("Jméno:"), 13, 232, 140);
    Label7 = Heading(this, QStringLiteral("Úroveň :"), 13, 360, 140);

    const QString names[4] = {QStringLiteral("Hráč"), QStringLiteral("Počítač1"), QStringLiteral("Počítač2"),
                              QStringLiteral("Počítač3")};
    QLineEdit **edits[4] = {&Jmeno0, &Jmeno1, &Jmeno2, &Jmeno3};
    QComboBox **combos[4] = {&ComboBox0, &ComboBox1, &ComboBox2, &ComboBox3};
    for (int i = 0; i < 4; ++i) {
        // Given its text after construction, the field lays it out in the window's own font,
        // already loaded, instead of loading the application's default font for it.
        QLineEdit *e = *edits[i] = new QLineEdit(this);
        e->setText(names[i]);
        e->setObjectName(QStringLiteral("Jmeno%1").arg(i));
        e->setGeometry(224, 160 + 32 * i, 73, 21);
        // Named after the seat as the game counts them: the player, then computers 1 to 3.
        const QString seat = i == 0 ? QStringLiteral("hráče") : QStringLiteral("počítače %1").arg(i);
        e->setAccessibleName(QStringLiteral("Jméno ") + seat);
        connect(e, &QLineEdit::textChanged, this, &Tnastaveni_form::JmenoChange);
        QComboBox *c = *combos[i] = new QComboBox(this);
        c->setObjectName(QStringLiteral("ComboBox%1").arg(i));
        c->setGeometry(352, 160 + 32 * i, 81, 21);
        c->addItems({QStringLiteral("nízká"), QStringLiteral("střední"), QStringLiteral("vysoká")});
        c->setCurrentIndex(0);
        // A screen reader names a combo box by its value: whose strength it is, it says with the
        // description.
        c->setAccessibleName(QStringLiteral("Úroveň ") + seat);
        c->setAccessibleDescription(QStringLiteral("Úroveň ") + seat);
        connect(c, &QComboBox::currentIndexChanged, this, &Tnastaveni_form::ComboBoxChange);
    }
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(210, 288, 80, 33);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &Tnastaveni_form::Button1Click);

    setTabOrder(TrackBar1, Button1);
    QWidget *previous = Button1;
    for (QWidget *w : RadioGroup1->findChildren<QWidget *>()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            setTabOrder(previous, w);
            previous = w;
        }
    }
    for (QWidget *w : {static_cast<QWidget *>(Jmeno0), static_cast<QWidget *>(Jmeno1),
                       static_cast<QWidget *>(Jmeno2), static_cast<QWidget *>(Jmeno3),
                       static_cast<QWidget *>(ComboBox0), static_cast<QWidget *>(ComboBox1),
                       static_cast<QWidget *>(ComboBox2), static_cast<QWidget *>(ComboBox3)}) {
        setTabOrder(previous, w);
        previous = w;
    }
    FormCreate();
}

void Tnastaveni_form::FormCreate()
{
    for (QLineEdit *e : {Jmeno0, Jmeno1, Jmeno2, Jmeno3})
        emit e->textChanged(e->text());
}

void Tnastaveni_form::JmenoChange()
{
    QLineEdit *edits[4] = {Jmeno0, Jmeno1, Jmeno2, Jmeno3};
    for (int i = 0; i < 4; ++i)
        if (sender() == edits[i] && Players[i]) {
            Players[i]->Name = edits[i]->text();
            DescribeCount(Players[i]->CountLabel, Players[i]->Name, Players[i]->Marked);
        }
}

void Tnastaveni_form::ComboBoxChange()
{
    QComboBox *combos[4] = {ComboBox0, ComboBox1, ComboBox2, ComboBox3};
    for (int i = 0; i < 4; ++i)
        if (sender() == combos[i] && Players[i] && combos[i]->currentIndex() >= 0)
            Players[i]->SetLevel(std::uint8_t(combos[i]->currentIndex()));
}

void Tnastaveni_form::TrackBar1Change()
{
    // Every position already carries a tick mark; the position is read where it is used.
}

void Tnastaveni_form::Button1Click() { close(); }

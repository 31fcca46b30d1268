#include "napoveda_f.h"

#include "ovladace.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

Tnapoveda_form *napoveda_form = nullptr;

Tnapoveda_form::Tnapoveda_form()
{
    const QString title = QStringLiteral("O hře Tamsa");
    setWindowTitle(title);
    setWindowFlags(Qt::Window);
    setFont(SansFont(11));
    SetPlace(this, {551, 170}, {458, 384}, TOuter::Size);

    auto label = [this](const QString &text, QRect geometry, const QFont &font) {
        auto *l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(font);
        l->setGeometry(geometry);
        return l;
    };
    QFont heading = SansFont(32, true);
    heading.setUnderline(true);
    Nadpis = label(title, QRect(136, 24, 165, 37), heading);
    Radek[0] = label(QStringLiteral("Štychy: Červené, Filky, Pr-Po,"), QRect(48, 96, 352, 24), SansFont(19));
    Radek[1] = label(QStringLiteral("Všechny a Červený král,"), QRect(64, 144, 316, 24), SansFont(19));
    Radek[2] = label(QStringLiteral("Kvarty a Desítky"), QRect(16, 184, 417, 37), SansFont(32));
    Radek[3] = label(QStringLiteral("a nakonec Maturita."), QRect(112, 248, 222, 24), SansFont(19));
    Radek[4] = label(QStringLiteral("Méně bodů je lépe!"), QRect(104, 288, 238, 24), SansFont(19));

    Button1 = new QPushButton(QStringLiteral("Zavřít"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(SansFont(11, true));
    Button1->setGeometry(192, 320, 65, 25);
    connect(Button1, &QPushButton::clicked, this, &Tnapoveda_form::Button1Click);
}

void Tnapoveda_form::showEvent(QShowEvent *e)
{
    // A centred line may be wider than its box in another font: it grows, staying centred.
    // Measured at the first showing, so the start of the program loads no font for it.
    if (!fitted_)
        for (QLabel *l : {Nadpis, Radek[0], Radek[1], Radek[3], Radek[4]}) {
            const int w = qMax(l->width(), l->sizeHint().width());
            l->setGeometry(l->x() + (l->width() - w) / 2, l->y(), w, l->height());
        }
    fitted_ = true;
    PaintColours();
    QWidget::showEvent(e);
}

void Tnapoveda_form::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::PaletteChange && isVisible()) PaintColours();
    QWidget::changeEvent(e);
}

void Tnapoveda_form::PaintColours()
{
    // The red heading and the navy line, where they are readable on the window's colour;
    // the heading is large, for which 3:1 reads well.
    const QColor back = palette().color(backgroundRole());
    auto paint = [](QLabel *l, const QColor &c) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, c);
        l->setPalette(pal);
    };
    paint(Nadpis, ContrastRatio(Qt::red, back) >= 3 ? QColor(Qt::red) : ReadableColour(Qt::red, back, {}));
    paint(Radek[4], ReadableColour(QColor(0, 0, 128), back, {palette().color(QPalette::Link)}));
}

void Tnapoveda_form::Button1Click() { close(); }

void Tnapoveda_form::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(e);
}

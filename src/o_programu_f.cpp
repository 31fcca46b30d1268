#include "o_programu_f.h"

#include "ovladace.h"

#include <QKeyEvent>
#include <QLabel>

TO_programu_form *O_programu_form = nullptr;

TO_programu_form::TO_programu_form()
{
    setWindowTitle(QStringLiteral("O programu"));
    setWindowFlags(Qt::Window);
    setFont(SansFont(11));
    SetPlace(this, {593, 318}, {554, 347}, TOuter::Size);

    Label1 = new QLabel(QStringLiteral("Program Tamsa"), this);
    Label1->setFont(SerifFont(32, true));
    Label1->move(152, 48);
    Label2 = new QLabel(QStringLiteral("Napsal tým vývojářů hry Tamsa"), this);
    Label2->setFont(SerifFont(16, true));
    Label2->move(184, 120);
    Label3 = new QLabel(QStringLiteral("Verze: beta 1"), this);
    Label3->move(216, 176);
}

void TO_programu_form::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(e);
}

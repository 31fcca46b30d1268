#pragma once
// About the program.
#include <QWidget>

class QLabel;

class TO_programu_form : public QWidget
{
    Q_OBJECT
public:
    TO_programu_form();
    QLabel *Label1, *Label2, *Label3;

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

extern TO_programu_form *O_programu_form;

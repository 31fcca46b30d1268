#pragma once
// About the game: a short summary of the contracts.
#include <QWidget>

class QLabel;
class QPushButton;

class Tnapoveda_form : public QWidget
{
    Q_OBJECT
public:
    Tnapoveda_form();
    QLabel *Nadpis;
    QLabel *Radek[5];
    QPushButton *Button1;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void PaintColours();
    bool fitted_ = false;
};

extern Tnapoveda_form *napoveda_form;

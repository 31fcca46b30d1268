#pragma once
// The Maturita chooser: the human picks the contract of his Maturita.
#include <QDialog>

class QLabel;
class QPushButton;
class TRadioGroup;

class TMaturita_form : public QDialog
{
    Q_OBJECT
public:
    TMaturita_form();
    QLabel *Label1;
    TRadioGroup *Vyber_hru;
    QPushButton *Volba;

public slots:
    void VolbaClick();

protected:
    void showEvent(QShowEvent *e) override;
};

extern TMaturita_form *Maturita_form;

#pragma once
// The settings window: pause length, deal order, each seat's name and strength.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class TRadioGroup;

class Tnastaveni_form : public QDialog
{
    Q_OBJECT
public:
    Tnastaveni_form();

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    QSlider *TrackBar1;
    TRadioGroup *RadioGroup1;
    QLineEdit *Jmeno0, *Jmeno1, *Jmeno2, *Jmeno3;
    QComboBox *ComboBox0, *ComboBox1, *ComboBox2, *ComboBox3;
    QPushButton *Button1;

    void FormCreate();

public slots:
    void JmenoChange();
    void ComboBoxChange();
    void TrackBar1Change();
    void Button1Click();
};

extern Tnastaveni_form *nastaveni_form;

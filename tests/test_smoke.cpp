#include "harness.h"

class TestSmoke : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { StartProgram(); }
    void oneOfEach()
    {
        ScriptedHuman human(7);
        human.pressNextSometimes = true;
        for (QAction *a : {Form1->Cerveny1, Form1->Filky1, Form1->PrPo1, Form1->Vsechny1, Form1->CervenyKral1,
                           Form1->Kvarty1, Form1->Desitky1, Form1->Maturita1}) {
            const int before = ScoreSum();
            a->trigger();
            qDebug() << a->text() << ScoreSum() - before << human.humanMoves << human.faults;
            QVERIFY2(BoardIdle(), qPrintable(PanelText(0) + "/" + PanelText(1) + "/" + QString::number(Form1->Start1->isEnabled())));
        }
        Form1->Start1->trigger();
        qDebug() << "match" << human.faults << human.choosersSeen;
        QVERIFY2(human.faults.isEmpty(), qPrintable(human.faults.join('\n')));
    }
};

QTEST_MAIN(TestSmoke)
#include "test_smoke.moc"

// Ending the program: from every kind of wait, by "&Konec" and by the board's close box, the
// process must end at once and cleanly. Each case runs the program as a process of its own.
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

class TestKonec : public QObject
{
    Q_OBJECT

    static QProcessEnvironment Offscreen()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

private slots:
    void endsAtOnce_data()
    {
        QTest::addColumn<QString>("state");
        for (const char *s : {"idle-konec", "idle-close", "human-konec", "human-close", "pause-konec", "pause-close",
                              "thinking-close", "kvarty-human", "desitky-human", "maturita-chooser", "stav-open", "settings-open",
                              "sheet-open"})
            QTest::newRow(s) << QString::fromLatin1(s);
    }

    void endsAtOnce()
    {
        QFETCH(QString, state);
        QProcess p;
        p.setProcessEnvironment(Offscreen());
        p.start(QStringLiteral(EXIT_DRIVER), {state});
        QVERIFY2(p.waitForStarted(5000), qPrintable(p.errorString()));

        // Startup and reaching the state may take a while; the end itself may not.
        QElapsedTimer wall;
        wall.start();
        QByteArray out;
        while (!out.contains("ending\n") && p.state() == QProcess::Running && wall.elapsed() < 30000) {
            p.waitForReadyRead(200);
            out += p.readAllStandardOutput();
        }
        out += p.readAllStandardOutput();
        QVERIFY2(out.contains("ending\n"), qPrintable(QStringLiteral("the state was not reached; stderr: ") +
                                                     QString::fromLocal8Bit(p.readAllStandardError())));
        QElapsedTimer sinceEnd;
        sinceEnd.start();
        const bool finished = p.state() == QProcess::NotRunning || p.waitForFinished(5000);
        const qint64 ms = sinceEnd.elapsed();
        if (!finished) {
            p.kill();
            p.waitForFinished(2000);
            QFAIL("still running 5 s after the end was requested");
        }
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(p.exitStatus() == QProcess::NormalExit, qPrintable(QStringLiteral("crashed: ") + err));
        QVERIFY2(p.exitCode() == 0, qPrintable(QStringLiteral("exit code %1: %2").arg(p.exitCode()).arg(err)));
        QVERIFY2(ms <= 2000, qPrintable(QStringLiteral("took %1 ms to end").arg(ms)));
        QVERIFY2(!err.contains(QLatin1String("terminate")), qPrintable(err));
    }

    void programRunsIdle()
    {
        QProcess p;
        p.setProcessEnvironment(Offscreen());
        p.start(QStringLiteral(TAMSA_EXE), QStringList());
        QVERIFY2(p.waitForStarted(5000), qPrintable(p.errorString()));
        // Nothing ends the idle program by itself.
        QVERIFY(!p.waitForFinished(1500));
        QCOMPARE(p.state(), QProcess::Running);
        p.kill();
        QVERIFY(p.waitForFinished(5000));
    }
};

QTEST_MAIN(TestKonec)
#include "test_konec.moc"

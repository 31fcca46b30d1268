// The program started exactly as main starts it, driven by timers into one state and ended
// there. argv[1] names the state; "ending" is printed right before the end is requested, and
// the exit code is the event loop's.
#include "hra.h"
#include "maturita_f.h"
#include "nastaveni_f.h"
#include "plocha.h"
#include "zapis_f.h"

#include <QApplication>
#include <QSlider>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

bool HumanAwaited()
{
    if (!TimerElapsed || HumanMoved || PanelText(1) == QLatin1String("Nehraje se")) return false;
    for (TImage *im : HandImages)
        if (im->isEnabled()) return true;
    return false;
}

bool Idle()
{
    return PanelText(0) == QStringLiteral("Připraven") && PanelText(1) == QLatin1String("Nehraje se") &&
           Form1->Start1->isEnabled();
}

bool PauseRunning() { return !TimerElapsed && Form1->Timer1->isActive(); }

// Lays the first enabled card, as a double click on it does.
void LayACard()
{
    for (TImage *im : HandImages)
        if (im->isEnabled()) {
            Form1->KartaDblClick(im);
            return;
        }
}

void End(bool viaMenu)
{
    std::puts("ending");
    std::fflush(stdout);
    if (viaMenu)
        Form1->Konec1->trigger();
    else
        Form1->close();
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CreateWindows();

    const QString scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // The board's close box for these, "&Konec" for the rest.
    const bool viaMenu = !scenario.endsWith(QLatin1String("-close")) && scenario != QLatin1String("desitky-human") &&
                         scenario != QLatin1String("maturita-chooser") && scenario != QLatin1String("settings-open");
    // Polled on a short timer: it also fires inside the program's own waits and modal windows.
    std::function<bool()> reached;  // true once the program is in the state
    QAction *command = nullptr;
    bool ended = false;
    auto end = [&](bool menu) {
        ended = true;
        End(menu);
    };

    if (scenario.startsWith(QLatin1String("idle-"))) {
        reached = [] { return Idle(); };
    } else if (scenario.startsWith(QLatin1String("human-"))) {
        command = Form1->Cerveny1;
        reached = [] { return HumanAwaited(); };
    } else if (scenario.startsWith(QLatin1String("pause-"))) {
        nastaveni_form->TrackBar1->setValue(10);  // a 5 s pause, far longer than the end may take
        command = Form1->Cerveny1;
        reached = [] {
            if (PauseRunning()) return true;
            if (HumanAwaited()) LayACard();
            return false;
        };
    } else if (scenario == QLatin1String("thinking-close")) {
        for (int s = 1; s < 4; ++s) Players[s]->SetLevel(Vysoka);
        ThinkDealsSeam = 1 << 22;  // a decision of many seconds, far longer than the end may take
        command = Form1->Cerveny1;
        reached = [] {
            if (HumanAwaited()) LayACard();
            // The computers lay without waiting but for their thinking.
            return PanelText(0) == QStringLiteral("Čekejte") && !PauseRunning();
        };
    } else if (scenario == QLatin1String("kvarty-human")) {
        command = Form1->Kvarty1;
        reached = [] { return PanelText(1) == QStringLiteral("Kvarty") && HumanAwaited(); };
    } else if (scenario == QLatin1String("desitky-human")) {
        nastaveni_form->TrackBar1->setValue(1);
        command = Form1->Desitky1;
        reached = [] {
            // A deal may end before the human ever can lay a card: its standings are closed and
            // another Desítky is dealt.
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal->windowTitle().startsWith(QStringLiteral("Stav po hře"))) {
                modal->close();
                QTimer::singleShot(100, Form1->Desitky1, &QAction::trigger);
                return false;
            }
            return PanelText(1) == QStringLiteral("Desítky") && HumanAwaited();
        };
    } else if (scenario == QLatin1String("maturita-chooser")) {
        command = Form1->Maturita1;
        reached = [] { return Maturita_form->isVisible() && QApplication::activeModalWidget() == Maturita_form; };
    } else if (scenario == QLatin1String("settings-open") || scenario == QLatin1String("stav-open")) {
        // A modal window opened from the menu while the contract waits for the human.
        command = Form1->Cerveny1;
        QAction *open = scenario == QLatin1String("stav-open") ? Form1->Stav1 : Form1->Nastaveni1;
        reached = [&, open] {
            if (!HumanAwaited()) return false;
            // The poll does not fire again while its own call waits in the modal window: a timer
            // of its own ends the program from there.
            QTimer::singleShot(100, [&] {
                QWidget *modal = QApplication::activeModalWidget();
                if (modal == nastaveni_form || (modal && modal->windowTitle() == QStringLiteral("Stav po hře ")))
                    end(viaMenu);
            });
            ended = true;  // the timer above does it
            open->trigger();  // returns when the window closes
            return false;
        };
    } else if (scenario == QLatin1String("sheet-open")) {
        command = Form1->Start1;
        reached = [] {
            if (PanelText(1) == QLatin1String("Nehraje se")) return false;
            if (!Zapis_form->isVisible()) {
                Form1->Zapis1->trigger();  // opened while the match runs
                return false;
            }
            return HumanAwaited() || PauseRunning();
        };
    } else {
        std::fprintf(stderr, "unknown state '%s'\n", qPrintable(scenario));
        return 2;
    }

    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (ended || !reached()) return;
        end(viaMenu);
    });
    poll.start();
    if (command)
        QTimer::singleShot(50, command, &QAction::trigger);
    return app.exec();
}

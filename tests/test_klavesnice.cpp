// Playing with the keyboard alone: the focus on the allowed cards, the cards that may not be
// laid dimmed while the human is asked, and what a screen reader is told.
#include "harness.h"
#include "napoveda_f.h"
#include "o_programu_f.h"

#include <QAccessible>
#include <QMenuBar>

namespace {
// What a screen reader reads of a widget: its name and, if asked, that it has the focus.
bool Reads(QWidget *w, const QString &name, bool focused = false)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface && iface->text(QAccessible::Name) == name && (!focused || (iface->state().focused && iface->state().focusable));
}

// How far an image as painted lies from the same picture painted plainly, as the mean
// difference of its colour channels.
double DistanceFromPlain(TImage *im)
{
    TImage plain(im->parentWidget());
    plain.resize(im->size());
    plain.LoadPicture(im->PictureName());
    return Distance(im->grab().toImage(), plain.grab().toImage());
}

QWidget *FocusIn(QWidget *window)
{
    (void)QTest::qWaitForWindowActive(window);
    return window->focusWidget() ? window->focusWidget() : window;
}

int Slot(QWidget *w) { return int(std::find(HandImages, HandImages + 8, w) - HandImages); }

// What a screen reader heard of a contract, item by item, against what the rules imply: every card
// laid once with its player, every trick's taker, every pass, a prompt for every request, nothing
// after the standings, and the description of the table as it is after the contract.
QString FaultHeard(const QStringList &heard, const QString &contract, int scored, int requests)
{
    QStringList items;
    for (const QString &s : heard) items += s.split(QStringLiteral(". "));
    const int after = int(items.indexOf(QRegularExpression(QStringLiteral("^Stav po hře.*"))));
    const int laid = PlayedCount();
    const QStringList cards = items.filter(QRegularExpression(QStringLiteral("^\\S+: \\S+ \\S+$")));
    const bool kvarty = contract == ContractName(Kvarty), desitky = contract == ContractName(Desitky);
    if (cards.size() != laid || QSet<QString>(cards.begin(), cards.end()).size() != laid) return QStringLiteral("%1 cards heard of %2").arg(cards.size()).arg(laid);
    if (items.filter(QStringLiteral("Štych bere ")).size() != (kvarty || desitky ? 0 : laid / 4)) return QStringLiteral("takers");
    if (desitky && items.filter(QStringLiteral(" nemůže")).size() != scored - (32 - laid)) return QStringLiteral("passes");
    if (items.filter(QRegularExpression(QStringLiteral("^Vyneste kartu, "))).size() != requests) return QStringLiteral("prompts");
    if (after < 0 || !items.mid(after + 1).filter(QRegularExpression(QStringLiteral("^(?!Karetní hra Tamsa$)"))).isEmpty()) return QStringLiteral("something after the standings");
    QStringList counts, points;
    for (THrac *p : Players) {
        if (p->IsComputer) counts << p->Name + QLatin1Char(' ') + QString::number(p->CardCount);
        points << p->Name + QLatin1Char(' ') + QString::number(p->Score);
    }
    const QString now = QAccessible::queryAccessibleInterface(Form1->StatusBar1->Panel[0])->text(QAccessible::Name);
    return now == QStringLiteral("Připraven. Na stole: nic. Karty: %1. Body: %2.").arg(counts.join(QStringLiteral(", ")), points.join(QStringLiteral(", "))) ? QString() : now;
}

// The human who plays by keys only: it moves through the allowed cards with the arrows,
// Home and End, lays the focused card with Return, Enter or Space, and in Desítky sometimes
// goes to "Další hráč" with Tab.
class KeyboardHuman : public ScriptedHuman
{
public:
    explicit KeyboardHuman(unsigned seed) : ScriptedHuman(seed)
    {
        onTick = [this] { return Turn(); };
        onPause = [this] {
            // Outside the wait every card looks as it always does.
            for (TImage *im : HandImages)
                if (DistanceFromPlain(im) > 0.5) Fault(im->objectName() + QStringLiteral(" dimmed outside the wait"));
            // A screen reader reads the prompt, the cards on the table and the counts.
            if (!QAccessible::queryAccessibleInterface(Form1->StatusBar1->Panel[0])->text(QAccessible::Name).startsWith(PanelText(0))) Fault(QStringLiteral("status panel not read"));
            for (int s = 0; s < 4; ++s)
                if (TrickCards[s] < NoCard && !Reads(TrickImages[s], PictureDescription(CardResourceName(TrickCards[s]))))
                    Fault(QStringLiteral("table slot %1 not read as its card").arg(s));
            for (int s = 1; s < 4; ++s) {
                QLabel *count = Players[s]->CountLabel;
                const QString whose = QAccessible::queryAccessibleInterface(count)->text(QAccessible::Description);
                if (!Reads(count, QString::number(Players[s]->CardCount)) || !whose.startsWith(Players[s]->Name))
                    Fault(QStringLiteral("count %1 not read with its player").arg(s));
            }
        };
    }
    int laid = 0, dimmedSeen = 0, keyMoves = 0;

    bool Turn()
    {
        if (QApplication::activeModalWidget() || !ContractRunning() || !TimerElapsed || HumanMoved) return false;
        CheckPrompt();
        QList<TImage *> allowed;
        for (TImage *im : HandImages)
            if (im->isEnabled()) allowed << im;
        for (int i = 0; i < 8; ++i)
            if (!HandImages[i]->isEnabled() && Players[0]->Hand[i] < NoCard) {
                if (DistanceFromPlain(HandImages[i]) < 10) Fault(QStringLiteral("a card that may not be laid is not dimmed"));
                ++dimmedSeen;
            }
        auto *focus = qobject_cast<TImage *>(Form1->focusWidget());
        const TImage *start = SelectedImage && SelectedImage->isEnabled() ? SelectedImage : allowed.value(0);
        if (Form1->focusWidget() != Form1->Next_but && focus != start)
            Fault(QStringLiteral("focus on %1, not %2").arg(focus ? focus->objectName() : "nothing", start ? start->objectName() : "nothing"));
        if (!focus) focus = allowed.value(0);
        if (!focus) return Fault(QStringLiteral("no card to focus")), timer.stop(), true;
        // A screen reader hears the cards laid since the last wait, by whom, then the prompt.
        const QString heard = QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name);
        if (!heard.endsWith(QStringLiteral("Vyneste kartu, ") + PictureDescription(focus->PictureName())))
            Fault(QStringLiteral("prompt heard as \"%1\"").arg(heard));

        for (int k = Roll(5); k > 0; --k) {
            const Qt::Key key = std::array{Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End}[Roll(4)];
            const int n = int(allowed.size()), at = int(allowed.indexOf(focus));
            TImage *want = key == Qt::Key_Home ? allowed.first() : key == Qt::Key_End ? allowed.last()
                           : key == Qt::Key_Left ? allowed[(at + n - 1) % n] : allowed[(at + 1) % n];
            QTest::keyClick(focus, key);
            focus = qobject_cast<TImage *>(Form1->focusWidget());
            if (focus != want || SelectedImage != want) Fault(QStringLiteral("key %1 went astray").arg(QKeySequence(key).toString()));
            else if (!Reads(want, PictureDescription(CardResourceName(Players[0]->Hand[Slot(want)])), true)) Fault(QStringLiteral("a screen reader does not find the focus on %1").arg(want->objectName()));
            ++keyMoves;
            if (!focus) return timer.stop(), true;
            if (DistanceFromPlain(focus) < 0.5) Fault(QStringLiteral("no focus mark on the focused card"));
        }
        // In Desítky the turn may end with a card still raised: the next request starts on it.
        QPushButton *next = Form1->Next_but;
        if (next->isVisible() && next->isEnabled() && Roll(3) == 0) {
            QTest::keyClick(focus, Qt::Key_Tab);
            if (Form1->focusWidget() != next) Fault(QStringLiteral("Tab did not reach \"Další hráč\""));
            const bool back = Roll(2);
            QTest::keyClick(next, back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            if (Form1->focusWidget() != focus) Fault(QStringLiteral("Tab from \"Další hráč\" did not return to the hand"));
            QTest::keyClick(focus, Qt::Key_Tab);
            QTest::keyClick(next, Roll(2) ? Qt::Key_Space : Qt::Key_Return);
            if (!HumanMoved) Fault(QStringLiteral("\"Další hráč\" did not answer its key"));
            ++nextPresses;
            return true;
        }
        // A mouse press on the board's menu bar takes the focus mark away.
        if (keyMoves && Roll(4) == 0) {
            QMenuBar *bar = Form1->menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2));
            if (DistanceFromPlain(focus) > 0.5) Fault(QStringLiteral("focus mark kept after a mouse click"));
        }
        // A held key lays nothing: only a fresh press does.
        const Qt::Key lay = std::array{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}[Roll(3)];
        QKeyEvent repeat(QEvent::KeyPress, lay, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(focus, &repeat);
        if (HumanMoved) return Fault(QStringLiteral("an auto-repeated key laid a card")), true;
        const int slot = Slot(focus);
        const TCard card = Players[0]->Hand[slot];
        QTest::keyClick(focus, lay);
        if (!HumanMoved || Players[0]->Hand[slot] != NoCard || !PlayedCards[card]) Fault(QStringLiteral("the focused card was not laid"));
        ++laid;
        return true;
    }
};
}  // namespace

class TestKlavesnice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        StartProgram();
    }

    void contractsByKeyboard()
    {
        for (QAction *command : {Form1->Cerveny1, Form1->Kvarty1, Form1->Desitky1}) {
            int dimmed = 0, nextPresses = 0;
            for (unsigned seed = 1; seed <= 6; ++seed) {
                // The offscreen platform leaves no window active once the standings close.
                Form1->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(Form1));
                SeedRandom(seed);
                KeyboardHuman human(seed);
                QStringList heard;
                if (seed == 1) HeardSeam = [&heard](const QString &s) { heard << s; };
                int scored = 0;
                for (THrac *p : Players) scored -= p->Score;
                QVERIFY(TriggerReturns(command));
                for (THrac *p : Players) scored += p->Score;
                const QString wrong = seed == 1 ? FaultHeard(heard, command->text().remove(QLatin1Char('&')), scored, human.laid + human.nextPresses) : QString();
                HeardSeam = nullptr;
                QVERIFY2(wrong.isEmpty() && !(Form1->focusWidget() && Form1->focusWidget()->objectName() == QLatin1String("Hlasatel")), qPrintable(wrong + QLatin1Char('\n') + heard.mid(heard.size() - 4).join(QLatin1Char('\n'))));
                QVERIFY2(human.faults.isEmpty(), qPrintable(command->objectName() + QStringLiteral(": ") + human.faults.join('\n')));
                QVERIFY(human.laid > 0 && human.keyMoves > 0);
                dimmed += human.dimmedSeen;
                nextPresses += human.nextPresses;
            }
            QVERIFY(dimmed > 0);
            QVERIFY(nextPresses > 0 || command != Form1->Desitky1);
        }
        QCOMPARE(Form1->StaticText1->accessibleDescription(), Players[1]->Name);
    }

    void menuKeepsTheKeyboardAtAPause()
    {
        QStringList heard;
        HeardSeam = [&heard](const QString &s) { heard << s; };
        const auto deaf = qScopeGuard([] { HeardSeam = nullptr; });
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        QTest::keyClick(Form1, Qt::Key_Alt);  // the menu bar walked by keys
        TellCard(Players[1]->Name, TCard(0), Form1->Image2);
        TellAtPause();
        QVERIFY(qobject_cast<QMenuBar *>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // the news are told as it lets go
        QTRY_COMPARE(heard.last(), Players[1]->Name + QStringLiteral(": ") + CardWords(TCard(0)));

        // As Qt does for a screen reader: key presses held, then sent on, no longer spontaneous.
        struct Held : QObject {
            QList<QPair<QObject *, int>> keys;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                const bool held = e->type() == QEvent::KeyPress && e->spontaneous();
                if (held) keys << qMakePair(o, static_cast<QKeyEvent *>(e)->key());
                return held;
            }
            void Click(QWindow *w, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
            {
                QTest::keyClick(w, key, modifiers);
                for (auto [o, k] : std::exchange(keys, {})) QCoreApplication::postEvent(o, new QKeyEvent(QEvent::KeyPress, k, {}));
                QTest::qWait(50);
            }
        } held;
        qApp->installEventFilter(&held);
        held.Click(Form1->windowHandle(), Qt::Key_Z, Qt::AltModifier);  // Alt+Z opens "Zobrazit"
        QVERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        HandImages[0]->setEnabled(true);
        TellPrompt(HandImages[0], QStringLiteral("Vyneste kartu"));  // the card waits for the menu
        QVERIFY(!HandImages[0]->hasFocus());
        held.Click(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Alt);  // another Alt closes it
        qApp->removeEventFilter(&held);
        QTRY_VERIFY(!QApplication::activePopupWidget() && HandImages[0]->hasFocus());
        // The news the menu interrupted are told again with the prompt.
        QVERIFY(heard.last().startsWith(Players[1]->Name + QStringLiteral(": ")) && heard.last().contains(QStringLiteral(". Vyneste kartu, ")));
        // A menu opened by the mouse holds the news as well, until it closes.
        QMenuBar *bar = Form1->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(Form1->Zobrazit1->menuAction()).center());
        QTRY_VERIFY(QApplication::activePopupWidget());
        TellCard(Players[2]->Name, TCard(1), Form1->Image3);
        TellAtPause();
        QTest::qWait(50);
        QVERIFY(!heard.join(QLatin1Char('|')).contains(CardWords(TCard(1))));  // (the popup's own name is heard)
        QApplication::activePopupWidget()->close();
        QTRY_VERIFY(heard.join(QLatin1Char('|')).contains(Players[2]->Name + QStringLiteral(": ") + CardWords(TCard(1))));
    }

    void windowsAnswerKeys()
    {
        // Escape closes the information windows; Return and Escape the settings.
        for (QWidget *w : {static_cast<QWidget *>(napoveda_form), static_cast<QWidget *>(O_programu_form)}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QTest::keyClick(FocusIn(w), Qt::Key_Escape);
            QVERIFY(!w->isVisible());
        }
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QTimer::singleShot(0, [key] { QTest::keyClick(FocusIn(nastaveni_form), key); });
            QTimer::singleShot(500, [] { nastaveni_form->close(); });  // a fault must not hang the suite
            QElapsedTimer clock;
            clock.start();
            Form1->Nastaveni1->trigger();
            QVERIFY(clock.elapsed() < 400);
        }
        // Standings: Escape closes, and the window tells the names with their totals.
        QString told;
        QTimer::singleShot(0, [&told] {
            QWidget *w = QApplication::activeModalWidget();
            told = w->accessibleDescription();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QTimer::singleShot(500, [] { if (QWidget *w = QApplication::activeModalWidget()) w->close(); });
        QElapsedTimer clock;
        clock.start();
        Form1->Stav1->trigger();
        QVERIFY(clock.elapsed() < 400);
        QCOMPARE(told, QStringLiteral("%1 %2, %3 %4, %5 %6, %7 %8").arg(Players[0]->Name).arg(Players[0]->Score)
                           .arg(Players[1]->Name).arg(Players[1]->Score).arg(Players[2]->Name).arg(Players[2]->Score)
                           .arg(Players[3]->Name).arg(Players[3]->Score));
        // The chooser: the arrows move the selection, Return presses "OK".
        QTimer::singleShot(0, [] {
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(FocusIn(Maturita_form), key);
        });
        Maturita_form->Vyber_hru->SetItemIndex(0);
        QCOMPARE(Maturita_form->exec(), int(QDialog::Accepted));
        QCOMPARE(Maturita_form->Vyber_hru->ItemIndex(), 2);
    }
};

QTEST_MAIN(TestKlavesnice)
#include "test_klavesnice.moc"

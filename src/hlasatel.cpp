#include "hlasatel.h"

#include "ovladace.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QVersionNumber>
#include <QWindow>

std::function<void(const QString &)> HeardSeam;

namespace {
// A small focusable object over the table; it paints nothing and leaves every key to the board.
class THlasatel : public QWidget
{
public:
    explicit THlasatel(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::ClickFocus);  // focusable, so a screen reader follows it; not by Tab
        setGeometry(0, 0, 1, 1);
        setObjectName(QStringLiteral("Hlasatel"));
    }

    // The widget the next key goes to: the one whose news this announcer speaks in its place.
    QPointer<QWidget> handTo;

protected:
    void paintEvent(QPaintEvent *) override {}
    void focusOutEvent(QFocusEvent *e) override;
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress && handTo && handTo->isEnabled()) {
            const auto *k = static_cast<QKeyEvent *>(e);
            QWidget *to = std::exchange(handTo, nullptr);
            to->setFocus(Qt::OtherFocusReason);
            QKeyEvent again(k->type(), k->key(), k->modifiers(), k->text(), k->isAutoRepeat(), k->count());
            QCoreApplication::sendEvent(to, &again);
            return true;
        }
        return QWidget::event(e);
    }
};

QWidget *Table = nullptr;
std::function<TStul()> Source;
THlasatel *Announcers[2] = {};
int NextAnnouncer = 0;
QStringList Pending;
QPointer<QWidget> Place;  // where the last news happened
QPointer<QWidget> PromptCard;  // the card asked for while the menus had the keyboard
QAccessible::UpdateHandler PlatformHandler = nullptr;

void THlasatel::focusOutEvent(QFocusEvent *e)
{
    if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::MenuBarFocusReason) handTo = nullptr;
    // Heard once: when the board is active again, old news are not read again.
    if (e->reason() == Qt::ActiveWindowFocusReason && window()->focusWidget() == this) clearFocus();
    // A menu opened at once may take the focus before Orca, busy, has read the news: they are
    // told again as the menus let go, with whatever came meanwhile.
    if ((e->reason() == Qt::MenuBarFocusReason || e->reason() == Qt::PopupFocusReason) && !accessibleName().isEmpty()) {
        Pending.prepend(accessibleName());
        setAccessibleName(QString());
    }
}

void Tell(const QString &news, QWidget *where)
{
    Pending << news;
    if (where) Place = where;
}

// A menu open, or the menu bar walked by keys: the news and the prompt wait until they let go.
bool MenusHaveKeyboard()
{
    const auto *bar = qobject_cast<QMenuBar *>(QApplication::focusWidget());
    return QApplication::activePopupWidget() || (bar && bar->activeAction());
}

// Names the next announcer with the news and gives it the focus over the place of the news;
// false where nobody would hear it now.
bool Announce(const QString &text)
{
    if (text.isEmpty() || !Announcers[0] || !ScreenReaderListens() || !Table->window()->isActiveWindow() ||
        MenusHaveKeyboard())
        return false;
    THlasatel *a = Announcers[NextAnnouncer];
    NextAnnouncer = 1 - NextAnnouncer;
    a->setAccessibleName(text);
    a->setGeometry(Place ? QRect(Place->mapTo(Table, QPoint()), Place->size()) : QRect(0, 0, 1, 1));
    a->raise();
    a->setFocus(Qt::OtherFocusReason);
    return true;
}

QString Describe(const TStul &t)
{
    QStringList table, counts, points;
    if (t.desitky) {
        for (int s = 0; s < 4; ++s) {
            int low = -1, high = -1;  // a suit is laid out without gaps
            for (int c = 8 * s; c < 8 * s + 8; ++c)
                if (t.laid[c]) {
                    if (low < 0) low = c;
                    high = c;
                }
            if (low >= 0)
                table << (low == high ? CardWords(TCard(low))
                                      : CardWords(TCard(low)) + QStringLiteral(" až ") + CardWords(TCard(high)).section(QLatin1Char(' '), 1));
        }
    } else {
        for (TCard c : t.trick)
            if (c < NoCard) table << CardWords(c);
    }
    for (int p = 0; p < 4; ++p) {
        if (t.computer[p]) counts << t.names[p] + QLatin1Char(' ') + QString::number(t.counts[p]);
        points << t.names[p] + QLatin1Char(' ') + QString::number(t.points[p]);
    }
    return QStringLiteral("%1. Na stole: %2. Karty: %3. Body: %4.")
        .arg(t.prompt, table.isEmpty() ? QStringLiteral("nic") : table.join(QStringLiteral(", ")),
             counts.join(QStringLiteral(", ")), points.join(QStringLiteral(", ")));
}

// The prompt panel: what "read status bar" says is the table as it is at that moment.
class TPopis : public QAccessibleWidget
{
public:
    explicit TPopis(QWidget *w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        return ScreenReaderListens() && Source ? Describe(Source()) : static_cast<QLabel *>(widget())->text();
    }
};

QAccessibleInterface *Interfaces(const QString &className, QObject *object)
{
    if (object->objectName() == QLatin1String("Vyzva") && object->isWidgetType())
        return new TPopis(static_cast<QWidget *>(object));
    if (className == QLatin1String("TStatusBar") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StatusBar);
    return nullptr;
}

// Qt 6.4 sends a changed name or description with the object in place of the text. Orca 43
// reads such a change of the object with the focus as it handles the event (often the card the
// focus goes to next), fails on it ("Could not process") and speaks nothing. So the changes of
// the objects that carry news (cards, announcers, the prompt panel) and of the focused object
// are kept off the bus; all others pass.
void PassOn(QAccessibleEvent *event)
{
    const QObject *o = event->object();
    if ((event->type() == QAccessible::NameChanged || event->type() == QAccessible::DescriptionChanged) && o &&
        (o == QApplication::focusWidget() || o->inherits("TImage") || o->objectName() == QLatin1String("Hlasatel") ||
         o->objectName() == QLatin1String("Vyzva")))
        return;
    // Qt's own handling hands the event to the bus; whatever handler is in place stays.
    const QAccessible::UpdateHandler installed = QAccessible::installUpdateHandler(PlatformHandler);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(installed);
}

// Once the menus have let go of the keyboard, what waited for them is told: the card asked for
// meanwhile takes the focus, or the news of the pause are spoken.
void AfterMenus()
{
    if (MenusHaveKeyboard()) return;
    if (QPointer<QWidget> card = std::exchange(PromptCard, nullptr); card && card->isEnabled())
        card->setFocus(Qt::OtherFocusReason);
    else
        TellAtPause();
}

// Watches the menus. While a screen reader listens, Qt holds each key press until the reader has
// seen it, but opens the menu of Alt+letter at once: the held Alt then reaches the open menu,
// which closes on it as on a second Alt. An Alt that went down before the menu opened is dropped
// there; one pressed while the menu is open closes it as ever.
class THlidacNabidek : public QObject
{
public:
    using QObject::QObject;

private:
    quint64 events_ = 0, altDown_ = 0, menuShown_ = 0;

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if ((e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent *>(e)->key() == Qt::Key_Alt) {
            if (e->spontaneous())
                altDown_ = ++events_;
            else if (e->type() == QEvent::KeyPress && qobject_cast<QMenu *>(o) && altDown_ < menuShown_)
                return true;
        } else if (e->type() == QEvent::Show && qobject_cast<QMenu *>(o)) {
            menuShown_ = ++events_;
        }
        // A menu closing, or a key or the focus leaving the menu bar, may end the walk.
        if ((e->type() == QEvent::Hide && qobject_cast<QMenu *>(o)) ||
            ((e->type() == QEvent::KeyPress || e->type() == QEvent::FocusOut) && qobject_cast<QMenuBar *>(o)))
            QMetaObject::invokeMethod(qApp, AfterMenus, Qt::QueuedConnection);
        return false;
    }
};
}  // namespace

void SetUpAccessibility()
{
    QAccessible::installFactory(Interfaces);
    qApp->installEventFilter(new THlidacNabidek(qApp));
    if (QVersionNumber::fromString(QString::fromLatin1(qVersion())) < QVersionNumber(6, 5))
        PlatformHandler = QAccessible::installUpdateHandler(PassOn);
}

void SetUpScreenReader(QWidget *table, std::function<TStul()> source)
{
    Table = table;
    Source = std::move(source);
    for (THlasatel *&a : Announcers) a = new THlasatel(table);
    QObject::connect(qApp, &QApplication::focusChanged, table, [](QWidget *, QWidget *now) {
        if (HeardSeam && now)
            if (QAccessibleInterface *i = QAccessible::queryAccessibleInterface(now)) HeardSeam(i->text(QAccessible::Name));
    });
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, table, [](QWindow *now) {
        if (HeardSeam && now) HeardSeam(now->title());  // a window as it becomes active
    });
}

bool ScreenReaderListens() { return HeardSeam || QAccessible::isActive(); }

void TellContract(int round, int contract)
{
    Pending.clear();
    Place = nullptr;
    Tell(round >= 0 ? InRound(round, ContractName(contract)) : ContractName(contract), nullptr);
}

void TellChosen(int contract) { Tell(QStringLiteral("Hraje se ") + ContractName(contract), nullptr); }
void TellCard(const QString &player, TCard card, QWidget *where) { Tell(player + QStringLiteral(": ") + CardWords(card), where); }
void TellTrick(const QString &taker, QWidget *where) { Tell(QStringLiteral("Štych bere ") + taker, where); }
void TellPass(const QString &player, QWidget *where) { Tell(player + QStringLiteral(" nemůže"), where); }
void TellTurn(const QString &player, QWidget *where) { Tell(QStringLiteral("Na tahu ") + player, where); }

void TellAtPause()
{
    if (Announce(Pending.join(QStringLiteral(". ")))) Pending.clear();
}

void TellPrompt(TImage *card, const QString &prompt)
{
    const QString news = Pending.join(QStringLiteral(". "));
    Pending.clear();
    card->SetNews((news.isEmpty() ? news : news + QStringLiteral(". ")) + prompt + QStringLiteral(", "));
    PromptCard = nullptr;
    if (MenusHaveKeyboard())
        PromptCard = card;
    else
        card->setFocus(Qt::OtherFocusReason);
}

namespace {
// Gives a widget back its own name once the focus leaves it for good.
class TVlastniJmeno : public QObject
{
public:
    using QObject::QObject;

private:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        const auto reason = e->type() == QEvent::FocusOut ? static_cast<QFocusEvent *>(e)->reason() : Qt::OtherFocusReason;
        if (e->type() == QEvent::FocusOut && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            static_cast<QWidget *>(o)->setAccessibleName(QString());
            deleteLater();
        }
        return false;
    }
};
}  // namespace

void TellHint(QWidget *target)
{
    const QString advice = QStringLiteral("Radím: ");
    // A screen reader speaks an object as it gains the focus, and not a new name of the one that
    // has it: where the target has the focus already, an announcer over it says the hint and
    // hands the target the next key.
    if (QApplication::focusWidget() == target && Announcers[0] && ScreenReaderListens() && !MenusHaveKeyboard()) {
        const auto *card = qobject_cast<TImage *>(target);
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(target);
        THlasatel *a = Announcers[NextAnnouncer];
        NextAnnouncer = 1 - NextAnnouncer;
        QString own = card ? PictureDescription(card->PictureName()) : i ? i->text(QAccessible::Name) : QString();
        if (own.startsWith(advice)) own.remove(0, advice.size());  // told so by the last hint
        a->setAccessibleName(advice + own);
        // A pixel inside the target's edge: Orca takes an object of the same kind, name and place
        // for the one it has just read, and would not read the target as it takes the focus back.
        a->setGeometry(QRect(target->mapTo(Table, QPoint()), target->size()).adjusted(1, 1, -1, -1));
        a->raise();
        a->handTo = target;
        a->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (auto *card = qobject_cast<TImage *>(target)) {
        card->SetNews(advice);
    } else if (QAccessibleInterface *i = QAccessible::queryAccessibleInterface(target)) {
        const QString own = i->text(QAccessible::Name);
        if (!own.startsWith(advice)) {
            target->setAccessibleName(advice + own);
            target->installEventFilter(new TVlastniJmeno(target));
        }
    }
    PromptCard = nullptr;
    if (MenusHaveKeyboard())
        PromptCard = target;
    else
        target->setFocus(Qt::OtherFocusReason);
}

void TellContractEnd()
{
    // The last moves are told before the standings, or not at all: the standings are the last
    // thing a contract says.
    TellAtPause();
    Pending.clear();
    for (THlasatel *a : Announcers)
        if (a && !a->window()->isActiveWindow() && a->window()->focusWidget() == a) a->clearFocus();
}

void DescribeCount(QLabel *label, const QString &player, bool onTurn)
{
    const QString who = onTurn ? player + QStringLiteral(", na tahu") : player;
    if (label && label->accessibleDescription() != who) label->setAccessibleDescription(who);
}

QString CardWords(TCard card) { return PictureDescription(CardResourceName(card)); }

QString InRound(int round, const QString &what) { return QStringLiteral("%1. kolo, %2").arg(round + 1).arg(what); }

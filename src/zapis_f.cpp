#include "zapis_f.h"

#include "nastaveni_f.h"
#include "plocha.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>

TZapis_form *Zapis_form = nullptr;

namespace {
// The sheet's cursor is painted only once the keys have moved it: the grid takes the keyboard
// whenever accessibility is on, which it may be with no screen reader and nobody at the keys.
class TKurzor : public QStyledItemDelegate
{
public:
    TKurzor(const bool &shown, QObject *parent) : QStyledItemDelegate(parent), shown(shown) {}
    const bool &shown;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o(option);
        if (!shown) o.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, o, index);
    }
};
}  // namespace

TZapis_form::TZapis_form()
{
    setWindowTitle(QStringLiteral("Herní zápis"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint);
    setFont(SansFont(11));
    setFixedSize(308, 674);
    SetPlace(this, {484, 93}, {}, TOuter::None, [this](QSize room) { FitToRoom(room.height()); });

    // The headers are hidden before the grid gets its rows and columns, so that nothing is
    // measured (and no font loaded) before the sheet is first shown.
    Tabulka = new QTableWidget(this);
    Tabulka->horizontalHeader()->hide();
    Tabulka->verticalHeader()->hide();
    Tabulka->setObjectName(QStringLiteral("Tabulka"));
    Tabulka->setGeometry(0, 0, 308, 681);
    Tabulka->setFont(SansFont(11, true));
    Tabulka->horizontalHeader()->setMinimumSectionSize(1);
    Tabulka->verticalHeader()->setMinimumSectionSize(1);
    // A cell of 60 x 15 plus its grid line, so the 42 rows fill the window.
    Tabulka->horizontalHeader()->setDefaultSectionSize(61);
    Tabulka->verticalHeader()->setDefaultSectionSize(16);
    Tabulka->setShowGrid(true);
    Tabulka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabulka->setSelectionMode(QAbstractItemView::NoSelection);
    Tabulka->setFocusPolicy(Qt::NoFocus);
    Tabulka->setItemDelegate(new TKurzor(cursorShown_, Tabulka));
    Tabulka->installEventFilter(this);
    Tabulka->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Tabulka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Tabulka->setRowCount(42);
    Tabulka->setColumnCount(5);
    for (int row = 0; row < 42; ++row)
        for (int col = 0; col < 5; ++col) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            Tabulka->setItem(row, col, item);
        }
    PaintHeadings();
    FormCreate();
}

void TZapis_form::PaintHeadings()
{
    const QBrush fixed = palette().button();
    for (int row = 0; row < 42; ++row) Tabulka->item(row, 0)->setBackground(fixed);
    for (int col = 1; col < 5; ++col) Tabulka->item(0, col)->setBackground(fixed);
}

QString TZapis_form::SlotName(int slot)
{
    static const char *const labels[10] = {"Červený", "Filky", "Pr-Po", "Všechny", "Č. Král",
                                           "Kvarty", "Desítky", "Maturita", "Maturita2", "Maturita3"};
    return QString::fromUtf8(labels[qBound(0, slot, 9)]);
}

void TZapis_form::FormCreate()
{
    for (int r = 0; r < 4; ++r)
        for (int s = 0; s < 10; ++s)
            Tabulka->item(r * 10 + s + 1, 0)->setText(SlotName(s));
    Tabulka->item(41, 0)->setText(QStringLiteral("Pořadí"));
    // The headers stay hidden (the first row and column show them), but a screen reader walking
    // the sheet reads them with every cell: the round, which the eye takes from the position,
    // belongs to the row's header.
    QStringList rows{QString()};
    for (int r = 0; r < 4; ++r)
        for (int s = 0; s < 10; ++s)
            rows << InRound(r, SlotName(s));
    rows << QStringLiteral("Pořadí");
    Tabulka->setVerticalHeaderLabels(rows);
    // Orca reads a whole row as the arrows move up and down, without the row's header, so the
    // first cell of each row names its round too.
    for (int row = 1; row < 42; ++row) Tabulka->item(row, 0)->setData(Qt::AccessibleTextRole, rows[row]);
    Vymazat();
}

void TZapis_form::Vymazat()
{
    for (auto &player : RecordedTotals)
        for (int &e : player) e = 0;
    for (int &t : LastTotals) t = 0;
    emit Changed();
}

QString TZapis_form::CellText(int value)
{
    return value == 0 ? QStringLiteral("   -") : QStringLiteral("   ") + QString::number(value);
}

void TZapis_form::FillGrid()
{
    if (nastaveni_form) {
        QLineEdit *names[4] = {nastaveni_form->Jmeno0, nastaveni_form->Jmeno1, nastaveni_form->Jmeno2,
                               nastaveni_form->Jmeno3};
        QStringList columns{QString()};
        for (int p = 0; p < 4; ++p) {
            Tabulka->item(0, p + 1)->setText(names[p]->text());
            columns << names[p]->text();
        }
        Tabulka->setHorizontalHeaderLabels(columns);
    }
    for (int p = 0; p < 4; ++p)
        for (int e = 0; e <= 40; ++e) Tabulka->item(e + 1, p + 1)->setText(CellText(RecordedTotals[p][e]));
}

void TZapis_form::FormShow()
{
    FillGrid();
    // A screen reader's user walks the sheet cell by cell with the arrows, from the newest entry;
    // others see the sheet as ever.
    if (!isVisible()) cursorShown_ = false;
    if (ScreenReaderListens()) {
        Tabulka->setFocusPolicy(Qt::StrongFocus);
        Tabulka->setFocus();
        cursorPending_ = true;
    }
    show();
    raise();
    activateWindow();
}

void TZapis_form::FitToRoom(int room)
{
    // Taller than the free area of its screen, the sheet takes the height there is and scrolls.
    if (room < 674) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Tabulka);
        const int h = qMax(room, 120);
        setFixedSize(308 + bar, h);
        Tabulka->setGeometry(0, 0, 308 + bar, h);
        Tabulka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        setFixedSize(308, 674);
        Tabulka->setGeometry(0, 0, 308, 681);
        Tabulka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

bool TZapis_form::event(QEvent *e)
{
    if (e->type() == QEvent::PaletteChange) PaintHeadings();  // a new theme
    // Activating the sheet refills it from the data and the current names.
    if (e->type() == QEvent::WindowActivate) {
        FillGrid();
        // Set once the grid has the focus of the active window, so that the screen reader hears
        // the cell after the table.
        if (cursorPending_) {
            cursorPending_ = false;
            QMetaObject::invokeMethod(this, [this] {
                Tabulka->setCurrentIndex(QModelIndex());
                Tabulka->setCurrentCell(NewestRow(), 1);
            }, Qt::QueuedConnection);
        }
    }
    return QWidget::event(e);
}

bool TZapis_form::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == Tabulka && e->type() == QEvent::KeyPress && !cursorShown_) {
        cursorShown_ = true;
        Tabulka->viewport()->update();
    }
    return QWidget::eventFilter(watched, e);
}

int TZapis_form::NewestRow() const
{
    for (int e = 40; e >= 0; --e)
        for (const auto &player : RecordedTotals)
            if (player[e] != 0) return e + 1;
    return 1;
}

void TZapis_form::RecordScores(int round, int slot)
{
    for (int p = 0; p < 4; ++p)
        if (Players[p]->Score != LastTotals[p]) {
            RecordedTotals[p][round * 10 + slot] = Players[p]->Score;
            LastTotals[p] = Players[p]->Score;
        }
    RefreshSheet();
    emit Changed();
}

void TZapis_form::RefreshSheet()
{
    if (isVisible())
        FormShow();
}

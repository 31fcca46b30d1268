#pragma once
// The course of the last or running match as a line chart of the four totals.
#include <QList>
#include <QString>
#include <QWidget>

#include <array>

// The totals after every recorded entry of a score sheet, from the start of the match (all 0):
// entries[i] is the sheet's entry (round * 10 + slot) after which totals[i + 1] stood.
struct TPrubeh {
    QList<int> entries;
    QList<std::array<int, 4>> totals{{0, 0, 0, 0}};
};
TPrubeh MatchCourse(const int recorded[4][41]);
// What a screen reader hears of it: who leads, each total, the largest jump and where.
QString CourseWords(const TPrubeh &course, const QString names[4]);

class TGraf : public QWidget
{
public:
    explicit TGraf(QWidget *parent);
    QSize sizeHint() const override { return {640, 400}; }
    // The style of each player's line, told apart by colour, dash and marker.
    static Qt::PenStyle Dash(int player);
    // Where the legend shows a piece of each player's line and the name after it: in one row,
    // or in two where the chart is narrow.
    struct TLegenda {
        QRect sample[4], name[4];
        int bottom = 0;
    };
    TLegenda Legend() const;

protected:
    void paintEvent(QPaintEvent *) override;
};

class TPrubeh_form : public QWidget
{
    Q_OBJECT
public:
    TPrubeh_form();
    TGraf *Graf;
    // Reads the sheet again.
    void Follow();

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

extern TPrubeh_form *Prubeh_form;

// The window, made at its first showing.
void ShowMatchChart();

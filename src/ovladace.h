#pragma once
// The small layer that stands in for the window system the game was designed on: the image
// control, the two-panel status bar, the radio group, the board's client area and the fonts.
#include "obrazovka.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QRadioButton;
class QVBoxLayout;

// An image control: shows a named card picture stretched to its size, looks the same
// enabled or disabled unless dimmed, and reports clicks and double clicks with itself as
// sender. From the keyboard, Return, Enter and Space act as a double click; the arrows,
// Home, End and Tab are handed on as Key. Once a key has been used, the focused image
// carries a focus mark.
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent);
    void LoadPicture(const QString &resourceName);
    void CopyPicture(const TImage *other) { LoadPicture(other->PictureName()); }
    QString PictureName() const { return name_; }
    // A dimmed picture lies under a translucent veil of the board's colour.
    void SetDimmed(bool dimmed);
    // A mouse press anywhere on the board takes the focus mark away until a key is used.
    static void MouseUsed();
    // Until the image loses the focus, a screen reader hears the news before its picture.
    void SetNews(const QString &news);

signals:
    void Click(TImage *sender);
    void DblClick(TImage *sender);
    void Key(TImage *sender, int key);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    QString name_;
    bool pressed_ = false;
    bool dimmed_ = false;
    QPixmap face_;     // the finished face of a large card, for its picture and size
    QString faceKey_;
};

// The board's two-panel status bar: panel 0 prompts the human, panel 1 names the contract.
class TStatusBar : public QWidget
{
    Q_OBJECT
public:
    explicit TStatusBar(QWidget *parent);
    void SetText(int panel, const QString &text);
    QString Text(int panel) const;
    QLabel *Panel[2];

protected:
    void resizeEvent(QResizeEvent *) override;
};

// A radio group: a frame of radio buttons built from an item list, one selected by index.
class TRadioGroup : public QWidget
{
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget *parent, const QString &caption = QString());
    void SetItems(const QStringList &items);
    QStringList Items() const { return items_; }
    void DeleteItem(int index);
    void InsertItem(int index, const QString &item);
    int Count() const { return items_.size(); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    QList<class QRadioButton *> Buttons() const;
    // The name a screen reader gives the group of buttons (the frame shows no caption).
    void SetGroupName(const QString &name);

private:
    void Rebuild();
    QStringList items_;
    int index_ = -1;
    QGroupBox *box_;
    QVBoxLayout *layout_;
    QButtonGroup *group_;
};

// The board's client area: everything under the menu bar, the status bar included.
class TKlient : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void Resized();

protected:
    void resizeEvent(QResizeEvent *) override;
};

// The fonts that stand in for the Windows fonts the program names.
QFont SansFont(int pixelSize, bool bold = false);
QFont HeavyFont(int pixelSize);
QFont SerifFont(int pixelSize, bool bold = false);

#pragma once
// Screens and themes: on which screen and where a window opens, its size with the desktop's
// frame, and colours that stay readable on whatever palette the desktop gives.
#include <QColor>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <initializer_list>

class QScreen;
class QWidget;

// How a window's outer size (frame included) is applied.
enum class TOuter { Size, Minimum, None };

// A window opens at its design place on the screen of the window it belongs to (the board's;
// for the board, the screen the desktop gives it), with its outer size or smallest outer size,
// and is kept inside the free area of that screen (panels left out): where it does not fit, it
// shrinks as far as its minimum lets it and moves just enough. A place the user moves it to is
// kept, also when the window gets a new frame, and it opens there again. `fit`, if given, is
// called with the room on that screen (frame left out) before the window is placed, for a
// window that sizes itself. The outer size is applied again only when the window gets a new
// frame, so a size the user gave it stays; a maximised window is left alone.
void SetPlace(QWidget *window, QPoint design, QSize outer, TOuter kind,
              std::function<void(QSize room)> fit = {});
// The screen a window opens on: the screen of the window it belongs to, else its own.
QScreen *ScreenFor(const QWidget *window);
// The free area of a screen: the screen less the desktop's panels.
QRect FreeArea(const QScreen *screen);
// Test seams: panels the tests add round every screen, and the frame a window manager reports.
extern QMargins PanelSeam;
extern std::function<QMargins(const QWidget *)> FrameSeam;
// The frame of the desktop's window decorations as last seen (none before the first).
QMargins FrameMargins();

// Contrast of two colours as the accessibility guidelines measure it, from 1 to 21.
double ContrastRatio(const QColor &a, const QColor &b);
// Whether two colours are told apart at a glance, not only by their contrast.
bool ClearlyApart(const QColor &a, const QColor &b);
// The design's colour where it is readable (4.5:1) on the background; otherwise the first of
// the theme's colours offered that is, and that stands clearly apart from `apart` if given;
// otherwise the design's colour lightened or darkened until it is. Invalid where no such
// colour stands apart from `apart`.
QColor ReadableColour(const QColor &design, const QColor &background, std::initializer_list<QColor> offered,
                      const QColor &apart = QColor());

// The colours of the card counts on a board: the counts, the count of the player on turn, and
// the plate they are painted on where the board's own colour (a mid-grey) leaves no pair of
// readable colours apart (invalid where the board itself serves).
struct TCountColours {
    QColor text, marker, plate;
};
TCountColours CountColours(const QColor &board, const QColor &windowText, const QColor &link);

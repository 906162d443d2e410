#pragma once
// The archive viewers as windows of the application: kept above the main
// window like a palette (never above other programs), and opened beside the
// board rather than over the main window's menu and toolbars.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vorlix {

class TViewerHost;

// "Stay on Top" ticked: a tool window of the main window, which the desktop
// keeps above it; unticked: a window of its own. Keeps the place and the
// visibility the window had.
void SetViewerStaysOnTop(QWidget& viewer, QWidget* mainWindow, bool onTop);

// Where a viewer's frame goes the first time: to the right of the main
// window, else to its left, with its top at the board's height, on the side
// that also leaves companionWidth free beside it when one does. When neither
// side has room for its width, it goes narrower (not below minWidth) on the
// roomier side; only then is it centred over the main window with its bottom
// on the board's top edge (not above the screen's top).
QRect ViewerPlace(const QRect& mainFrame, const QRect& boardPanel, QSize ownFrame, int titleHeight, const QRect& screen,
                  int companionWidth = 0, int minWidth = 0);
// Places the viewer so, from its host's main window and board.
void PlaceViewerBesideBoard(QWidget& viewer, TViewerHost& host, int companionWidth = 0);

}  // namespace vorlix

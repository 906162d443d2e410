#include "viewers/ui/ViewerWindow.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "viewers/ui/ViewerHost.h"

namespace vorlix {

void SetViewerStaysOnTop(QWidget& viewer, QWidget* mainWindow, bool onTop) {
    QWidget* parent = onTop ? mainWindow : nullptr;
    const Qt::WindowType kind = onTop && mainWindow ? Qt::Tool : Qt::Window;
    if (viewer.parentWidget() == parent && viewer.windowType() == kind) return;
    const bool shown = viewer.isVisible();
    const QPoint place = viewer.pos();
    viewer.setParent(parent, kind);  // hides the window
    viewer.move(place);
    if (shown) viewer.show();
}

QRect ViewerPlace(const QRect& mainFrame, const QRect& boardPanel, QSize ownFrame, int titleHeight, const QRect& screen,
                  int companionWidth, int minWidth) {
    const int screenEnd = screen.right() + 1;
    const int roomRight = screenEnd - (mainFrame.right() + 1);
    const int roomLeft = mainFrame.left() - screen.left();
    const int top =
        std::max(screen.top(), std::min(boardPanel.top() - titleHeight, screen.bottom() + 1 - ownFrame.height()));
    auto right = [&](int width) { return QRect(mainFrame.right() + 1, top, width, ownFrame.height()); };
    auto left = [&](int width) { return QRect(mainFrame.left() - width, top, width, ownFrame.height()); };
    const int w = ownFrame.width();
    if (roomRight >= w + companionWidth) return right(w);
    if (roomLeft >= w + companionWidth) return left(w);
    if (roomRight >= w) return right(w);
    if (roomLeft >= w) return left(w);
    // Narrower, on the roomier side, rather than over the menu and toolbars.
    const int room = std::max(roomRight, roomLeft);
    const bool onRight = roomRight >= roomLeft;
    for (const int width : {room - companionWidth, room})
        if (minWidth > 0 && width >= minWidth) return onRight ? right(width) : left(width);
    const int centred = mainFrame.left() + (mainFrame.width() - w) / 2;
    return {centred, std::max({boardPanel.top() - ownFrame.height(), screen.top(), 0}), w, ownFrame.height()};
}

void PlaceViewerBesideBoard(QWidget& viewer, TViewerHost& host, int companionWidth) {
    QWidget* main = host.HostWindow();
    if (!main) return;
    // Before the first show the desktop's frame is unknown: the main window's
    // tells, else a title bar's height.
    const QSize ownExtra = viewer.frameGeometry().size() - viewer.size();
    const QSize mainExtra = main->frameGeometry().size() - main->size();
    const QSize extra = ownExtra.height() > 0    ? ownExtra
                        : mainExtra.height() > 0 ? mainExtra
                                                 : QSize(0, viewer.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2);
    const QScreen* screen = main->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1600, 1000);
    // No narrower than its controls need.
    const int minWidth = std::max(viewer.minimumWidth(), viewer.minimumSizeHint().width()) + extra.width();
    const QRect place =
        ViewerPlace(main->frameGeometry(), host.BoardPanelGlobalRect(), viewer.size() + extra, extra.height(), area,
                    companionWidth > 0 ? companionWidth + extra.width() : 0, minWidth);
    viewer.resize(place.width() - extra.width(), viewer.height());
    viewer.move(place.topLeft());
}

}  // namespace vorlix

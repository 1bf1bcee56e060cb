#pragma once

// The program's own pictures: toolbar and list images, the application icon, the pictures on the
// dialogs' OK and Cancel buttons and the splash window's background, drawn from vector sources.

#include <QIcon>
#include <QPixmap>

class Artwork {
public:
    static constexpr int toolbarImageCount = 11;
    static constexpr int listImageCount = 2;
    static constexpr QSize buttonPictureSize {72, 32};
    static constexpr QSize splashSize {378, 256};

    // Toolbar image n, 1 to 11: new, remove, start, preview, print, scheme, style, (spare),
    // history, help, find. A null icon for any other n.
    static QIcon toolbarIcon(int n);
    // List image n: 1 an item being timed, 2 a stopped item. A null icon for any other n.
    static QIcon listIcon(int n);
    // The same with a mark in its lower right corner for an item near its limit (limitMark 1, an
    // amber hourglass) or at it (2, a red stop sign); listIcon(n) for 0.
    static QIcon listIcon(int n, int limitMark);
    static QIcon appIcon();
    // The application's picture at one size alone, for a window that cannot wait for the icon.
    static QPixmap appPicture(int side);

    // 72 x 32 with a transparent background: a blue tick and 确定, a blue cross and 取消.
    static QPixmap okButtonPicture();
    static QPixmap cancelButtonPicture();

    static QPixmap splashBackground();

    // Registers the pictures compiled into this library; the functions above call it themselves.
    static void initResources();
};

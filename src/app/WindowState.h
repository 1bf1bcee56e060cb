#pragma once
// The windows as the operator left them, kept in a state file of their own so that the settings
// file keeps exactly its keys: the main window's place and size, the widths of the list's columns
// and the history window's size.

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

struct WindowState {
    QRect main; // the main window's place and normal size; empty: the designed size, centred
    bool mainMaximized = false;
    QList<int> columns; // the report view's column widths in pixels; empty: the designed widths
    QSize history; // empty: the designed size

    // window-state.ini in the program's per-user configuration folder.
    static QString defaultPath();
    // A missing, unreadable or hand-spoilt file gives what it can: each value stands or falls alone.
    static WindowState read(const QString &path);
    bool write(const QString &path) const;
};

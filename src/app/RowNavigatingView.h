#pragma once
// A view of the item list in which a row reached with the keyboard counts as chosen, and typing a
// letter searches nothing: letters are the main window's commands.

#include <QKeyEvent>
#include <QModelIndex>

#include <functional>

template <class View> class RowNavigatingView : public View {
public:
    using View::View;

    // Called after an arrow, Home, End or Page key moved the current row; focus changes and model
    // resets also move Qt's current index, and those must not choose an item behind the
    // operator's back.
    std::function<void(const QModelIndex &)> rowReached;

    // Type-ahead would move the highlighted row away from the item the commands act on.
    void keyboardSearch(const QString &) override { }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QModelIndex before = this->currentIndex();
        View::keyPressEvent(event);
        const QModelIndex after = this->currentIndex();
        if (isNavigationKey(event->key()) && after.isValid() && after.row() != before.row() && rowReached)
            rowReached(after);
    }

private:
    static bool isNavigationKey(int key)
    {
        switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: return true;
        default: return false;
        }
    }
};

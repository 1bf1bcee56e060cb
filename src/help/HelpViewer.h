#pragma once
// Shows the program's help file at a topic, in place of the platform's help function.

#include <QString>

class QWidget;

class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    // Shows file at the topic with this context number, in front of owner. A file that cannot be
    // read is reported to the operator, naming the path that was looked for.
    virtual void showHelp(const QString &file, int context, QWidget *owner) = 0;
};

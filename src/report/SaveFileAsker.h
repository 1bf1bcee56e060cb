#pragma once
// What the program asks the operator when it writes a file of its own (a report as PDF, a day's
// takings as CSV): where to write it, and that writing failed. Tests answer instead of a dialog.

#include <QMessageBox>
#include <QString>

class SaveFileAsker {
public:
    // What is being saved, as the dialog and the failure box put it.
    struct Kind {
        QString title; // the save dialog's title
        QString type; // the file type as the dialog lists it
        QString suffix; // without the dot; added when the operator typed a name without it
        QString failure; // the failure box's text, before where writing failed
        QMessageBox::Icon icon = QMessageBox::Warning;
    };

    virtual ~SaveFileAsker() = default;
    // The file to write, ending in the kind's suffix; an empty text when the operator cancels.
    virtual QString fileName(const Kind &kind, const QString &suggestion) = 0;
    // Tells the operator that nothing could be written to where (a file or a printer).
    virtual void saveFailed(const Kind &kind, const QString &where) = 0;
};

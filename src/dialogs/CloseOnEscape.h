#pragma once
// Esc closes a window of its own (help, history, About) as it closes a dialog.

class QWidget;

// Only while that window is the active one: Esc anywhere else keeps its own meaning.
void closeOnEscape(QWidget *window);

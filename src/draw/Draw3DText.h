#pragma once

// Makes a label's text look raised or engraved by stacking it with a dark grey shadow label and a
// white highlight label, each shifted a little from the face.

#include <QtGlobal>

class QLabel;
class QString;

// face, shadow and highlight are three labels on one parent. An empty text keeps face's caption.
// Style 1 (raised) puts the shadow offset pixels right of and below the face and the highlight
// offset pixels left of and above it; style 2 (engraved) swaps them; any other style only recolours.
void Draw3DText(QLabel *face, QLabel *shadow, QLabel *highlight, const QString &text, qint16 style, qint32 colour,
                qint16 offset);

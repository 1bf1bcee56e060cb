#pragma once

// Draws the decorative 3-D frame around a control on the surface of the window that holds it, in
// one of seven styles, with the colours the main window keeps in its frame settings.

#include <QtGlobal>

class DrawSurface;
class QRect;

class FrameDrawing {
public:
    // A control's place on its window, in twips.
    struct Control {
        double left = 0;
        double top = 0;
        double width = 0;
        double height = 0;

        static Control fromPixels(const QRect &pixels, double twipsPerPixelX, double twipsPerPixelY);
    };

    // The frame's edges in frame pixels (twips divided by intFxTwipsX / intFxTwipsY).
    struct Rect {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    // Colours as stored in the settings: red in the low byte. The main window sets the three
    // colours before each frame; until InitFrameMetrics runs the depth colour is 0.
    qint32 lngFxDepth = 0;
    qint32 lngFxLine = 0;
    qint32 lngFxBox = 0;
    // Twips per frame pixel; 0 until InitFrameMetrics, and no frame is drawn while they are.
    int intFxTwipsX = 0;
    int intFxTwipsY = 0;

    // Takes the screen's twips per pixel. A 12 (120 dots per inch) is used as 15, so frame
    // pixels are then 1.25 screen pixels and the frame keeps its 96-dpi proportions.
    void InitFrameMetrics(double screenTwipsPerPixelX, double screenTwipsPerPixelY);

    // Frames control, which lies on window, gap pixels away from it; style 0 to 6, width in pixels.
    // The arithmetic is 32-bit, so windows of any size get a whole frame.
    void FrameControl(const Control &control, DrawSurface &window, int gap, qint32 style, int width) const;

    // Styles 0 to 5 around rect; any other style draws nothing.
    void DrawFrame(DrawSurface &window, qint32 style, int width, const Rect &rect) const;

    // Style 6: a fixed two-pixel sunken edge in black and greys, ignoring the colour settings.
    static void DrawSunkenEdge(const Control &control, DrawSurface &window);
};

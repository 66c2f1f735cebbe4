// Painting of the diagram panel: title, compass rose, wind triangle, results.
#ifndef KL_DIAGRAM_DIAGRAM_H
#define KL_DIAGRAM_DIAGRAM_H

#include <windows.h>

void vPaintDiagram(HDC hdc, PAINTSTRUCT* pPs);
void vDrawDiagramBackground(HDC hdc, PAINTSTRUCT* pPs);
void vDrawTitle(HDC hdc);
void vDrawCompassCircle(HDC hdc, POINT ptCentre, int nRadius, int nWidth);
void vDrawTriangle(HDC hdc, POINT ptCentre, int nRadius, int nWidth);
void vDrawPartialTriangle(HDC hdc, POINT ptCentre, int nRadius, int nWidth);

// The triangle's lines: the three vectors in the order of their colours,
// then the side that closes the triangle.
enum { LINE_WIND = 0, LINE_COURSE = 1, LINE_HEADING = 2, LINE_CLOSING = 3, TRIANGLE_LINES = 4 };

// The width of each line. The window draws all four alike (their colours
// tell them apart); the printed page gives each one of its own, so that
// they tell apart in grey too.
struct TrianglePens {
    int nWidth[TRIANGLE_LINES];
};

// The triangle as vDrawTriangle draws it (or the part the inputs allow),
// each line with its own width.
void vDrawTriangleWith(HDC hdc, POINT ptCentre, int nRadius, const TrianglePens* pPens);
void vDrawCompassTicks(HDC hdc, POINT ptCentre, int nRadius, int nWidth);
void vDrawCompassLabels(HDC hdc, POINT ptCentre, int nRadius);
void vDrawCentreCross(HDC hdc, POINT ptCentre, int nWidth);

#endif

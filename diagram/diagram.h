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
void vDrawCompassTicks(HDC hdc, POINT ptCentre, int nRadius, int nWidth);
void vDrawCompassLabels(HDC hdc, POINT ptCentre, int nRadius);
void vDrawCentreCross(HDC hdc, POINT ptCentre, int nWidth);

#endif

// The diagram's isotropic logical coordinates and its per-paint layout.
#ifndef KL_DIAGRAM_MAPPING_H
#define KL_DIAGRAM_MAPPING_H

#include <windows.h>

// Sets the isotropic mapping, selects the diagram font (a larger copy of it
// when it would come out smaller than the form font), reads its metrics and
// lays the diagram out.
void vSetDiagramMapping(HDC hdc);
void vLayoutDiagram(HDC hdc);

enum {
    COMPASS_LABELS = 4,   // "0", "90", "180" and "270"
    TICKS_PER_RADIUS = 10 // a tick is a tenth of the radius
};

// Compass label i (0 for "0" above the circle, then clockwise) of a rose
// centred at c with radius r: its text, and the top-left corner and size of
// its box: the label's width in the selected font (a character per digit
// where it cannot be measured) and a line high.
const char* vCompassLabel(int i);
void vPlaceCompassLabel(HDC hdc, POINT c, int r, int i, POINT* pPt, SIZE* pSize);

// The room in pixels the results block needs to show every caption whole
// and, beside them, every value and a notice box nNoticeWidth wide, in the
// font selected into hdc (the form font: diagram text is never drawn
// smaller).
void vResultsMinSize(HDC hdc, int nNoticeWidth, SIZE* pSize);

// A logical point of the diagram in client pixels, by the isotropic
// mapping's rule, for use outside a paint (the platform's own mapping is
// set on the paint surface only).
POINT vClientPoint(POINT ptLogical);

// The client area's right edge in the diagram's logical units, whatever the
// panel's shape.
int vClientRight(void);

// Ends what vSetDiagramMapping began: puts the surface's own font back.
// The mapping stays.
void vEndDiagramMapping(HDC hdc);

// Deletes hDiagramFont and the larger copy kept for readable text.
void vDeleteDiagramFont(void);

#endif

// The diagram's isotropic logical coordinates and its per-paint layout.
#ifndef KL_DIAGRAM_MAPPING_H
#define KL_DIAGRAM_MAPPING_H

#include <windows.h>

// Sets the isotropic mapping, selects the diagram font (a larger copy of it
// when it would come out smaller than the form font), reads its metrics and
// lays the diagram out.
void vSetDiagramMapping(HDC hdc);
void vLayoutDiagram(HDC hdc);

// The client area's right edge in the diagram's logical units, whatever the
// panel's shape.
int vClientRight(void);

// Ends what vSetDiagramMapping began: puts the surface's own font back.
// The mapping stays.
void vEndDiagramMapping(HDC hdc);

// Deletes hDiagramFont and the larger copy kept for readable text.
void vDeleteDiagramFont(void);

#endif

// The diagram's isotropic logical coordinates and its per-paint layout.
#ifndef KL_DIAGRAM_MAPPING_H
#define KL_DIAGRAM_MAPPING_H

#include <windows.h>

void vSetDiagramMapping(HDC hdc);
void vLayoutDiagram(HDC hdc);

#endif

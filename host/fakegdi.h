// Test-side view of the host's recording GDI. Device contexts keep a mapping
// (MM_TEXT or MM_ISOTROPIC), the selected pen, brush and font, and a list of
// every drawing call with its points in logical units and in device pixels
// and the pen, brush and font in effect. Fonts are models whose metrics a
// test sets; GDI objects are counted so a test can show a paint leaks nothing.
#ifndef KL_HOST_FAKEGDI_H
#define KL_HOST_FAKEGDI_H

#include <windows.h>

#include <string>
#include <vector>

// Metrics of a font at its reference pixel height nHeight. A font realised
// at another pixel height scales every width and the external leading by
// that height / nHeight.
struct HostFontModel {
    int nHeight;             // cell height in pixels (tmHeight) at the reference size
    int nAveCharWidth;       // tmAveCharWidth at the reference size
    int nExternalLeading;    // tmExternalLeading at the reference size
    int nCharWidth[256];     // per-character width at the reference size; 0: nAveCharWidth
    int nMinPixelHeight;     // raster font: never realised smaller than this; 0: scales freely
    // Outline font as Wine realises one (nUnitsPerEm 0: the cell is the
    // requested height, rounded): the request through the mapping is
    // truncated to whole pixels, the em is that cell in font units rounded
    // to whole pixels, and the cell is the em's ascent plus its descent,
    // each rounded. Some cell heights are never made, some twice.
    int nUnitsPerEm;
    int nAscentUnits;
    int nDescentUnits;
    // Outline font: a request that truncates to no whole pixel is realised
    // at this cell height instead (Wine's default size); 0: one pixel.
    int nNoPixelHeight;
};

// A model whose characters are all nAveCharWidth wide.
HostFontModel hostFontModel(int nHeight, int nAveCharWidth, int nExternalLeading, int nMinPixelHeight);

// The "Helv" that Wine gives: DejaVu Sans, realised as an outline font
// (request 12 comes out 11 pixels high, 5 wide; a request below one pixel
// comes out 16 high).
HostFontModel hostWineOutlineModel(void);

// Metrics of the stock SYSTEM_FONT, the default font of every new DC. It has
// a fixed pixel size whatever the mapping.
void hostSetDefaultFont(const HostFontModel& model);

// Model given to every font CreateFontIndirectA makes from now on. Such a
// font is realised at |lfHeight| logical units times the DC's scale in
// pixels (rounded), at least nMinPixelHeight; lfHeight 0 means nHeight.
void hostSetCreatedFontModel(const HostFontModel& model);

// Pixels per inch that GetDeviceCaps reports for every DC (LOGPIXELSX and
// LOGPIXELSY); 96 until set. Only the fonts the program makes follow it:
// the stock font keeps its model.
void hostSetScreenDpi(int nDpi);

enum HostCallKind {
    HOST_POLYGON,      // ptLog/ptDev: the corners
    HOST_LINE,         // LineTo: [0] the current position before, [1] the end point
    HOST_ARC,          // [0] left-top, [1] right-bottom, [2] start, [3] end
    HOST_TEXTOUT,      // [0] top-left of the text
    HOST_DRAWTEXT,     // [0] left-top, [1] right-bottom of the box; one HOST_WRAPPED_LINE per line follows
    HOST_WRAPPED_LINE  // [0] top-left of one line that DrawTextA drew
};

struct HostCall {
    HostCallKind nKind;
    int nPoints;
    POINT ptLog[4];
    POINT ptDev[4];
    std::string strText;
    UINT uFormat;            // HOST_DRAWTEXT only
    int bClipped;            // HOST_DRAWTEXT: some text did not fit in the box
    int nMapMode;
    // Pen in effect; bNullPen for the stock null pen.
    int bNullPen;
    int nPenStyle;
    int nPenWidth;           // logical units, as given to CreatePen
    COLORREF penColor;
    std::vector<int> vecPenDashes; // PS_USERSTYLE: on and off lengths, as given to ExtCreatePen
    // Brush in effect; bNullBrush for the stock null brush.
    int bNullBrush;
    COLORREF brushColor;
    // Font in effect, its requested height (lfHeight; 0 for a stock font),
    // and its realised height in pixels and in logical units.
    HFONT hFont;
    int nFontRequest;
    int nFontPixelHeight;
    int nFontLogHeight;
    int nBkMode;
};

// GDI object bookkeeping since the last hostResetGdi (stock objects excluded).
struct HostGdiStats {
    int nCreated;          // pens, brushes and fonts made
    int nDeleted;          // of them deleted
    int nDeleteSelected;   // DeleteObject on an object still selected into a DC
    int nBadHandle;        // selecting or deleting an unknown or deleted object
    int nDirtyRelease;     // DCs released while a made object was still selected
};

// A fresh DC in MM_TEXT with the stock black pen, white brush and system font.
HDC hostNewDC(void);
void hostDeleteDC(HDC hdc);

// What was drawn on hdc since it was made or since hostClearCalls.
const std::vector<HostCall>& hostCalls(HDC hdc);
void hostClearCalls(HDC hdc);

// Objects currently selected into hdc (stock ones included).
HGDIOBJ hostSelectedPen(HDC hdc);
HGDIOBJ hostSelectedBrush(HDC hdc);
HGDIOBJ hostSelectedFont(HDC hdc);
int hostBkMode(HDC hdc);

// Realised pixel height of a font when selected into hdc with its mapping.
int hostFontPixelHeight(HDC hdc, HFONT hFont);

HostGdiStats hostGdiStats(void);
int hostLiveObjects(void); // made and not yet deleted

// Failure switches, as the platform fails when it runs out of GDI memory.
// From the nFirst-th call on, counted from this call, CreatePen,
// CreateSolidBrush and CreateFontIndirectA make nothing and return null;
// 0 makes them succeed again.
void hostFailCreationFrom(int nFirst);
// While set, GetTextExtentPoint32A measures nothing and returns FALSE.
void hostFailTextExtent(int bFail);

// Frees every DC and made object and restores the default font models, the
// screen's 96 pixels per inch and working calls.
void hostResetGdi(void);

#endif

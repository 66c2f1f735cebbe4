// A real main-window stand-in and a DIB-section surface of a chosen client
// size, painted the way the program's paint handler paints: white class
// background, transparent text, the form, then the diagram.
#ifndef KL_TESTS_WINDOWS_PAINT_SURFACE_H
#define KL_TESTS_WINDOWS_PAINT_SURFACE_H

#include <windows.h>

struct PaintSurface {
    HWND hWnd;       // hidden top-level window: the layout measures its DC
    HDC hdc;         // memory DC holding the DIB section
    HBITMAP hBitmap;
    HGDIOBJ hOldBitmap;
    DWORD* pPixels;  // top-down, 32 bits per pixel, 0x00RRGGBB
    int nWidth;      // of the surface: the client and the strip right of it
    int nHeight;
    int nClientWidth;
};

// Creates the window and fonts, lays the form and the diagram out for a
// client of nWidth x nHeight and prepares a white surface of that size.
void vOpenSurface(PaintSurface* pS, int nWidth, int nHeight);

// The same with a white strip nBeyond pixels wide right of the client, in
// which whatever the paint draws past the client's right edge shows (the
// window would clip it away).
void vOpenWideSurface(PaintSurface* pS, int nWidth, int nHeight, int nBeyond);

// Erases the surface to white and paints form and diagram once.
void vPaintSurface(PaintSurface* pS);

// Frees the surface, the window and the fonts.
void vCloseSurface(PaintSurface* pS);

// Colour of a device pixel as RGB(), or CLR_INVALID outside the surface.
COLORREF vPixel(const PaintSurface* pS, int x, int y);

// 1 when a pixel of exactly colour c lies within nReach pixels of (x, y).
int bColourNear(const PaintSurface* pS, int x, int y, COLORREF c, int nReach);

// Pixel height of a font's cell on the diagram's mapping.
int nDiagramPixelHeight(HFONT hFont);

// Pixel width of a text in a font on the diagram's mapping.
int nDiagramTextPixelWidth(HFONT hFont, const char* pszText);

// Logical diagram point to device pixel, with the platform's isotropic
// mapping set from the layout's numbers.
POINT ptToDevice(const PaintSurface* pS, int x, int y);

// Writes the surface as a 32-bit BMP file, to look at; 1 on success.
int vSaveSurfaceBmp(const PaintSurface* pS, const char* pszPath);

#endif

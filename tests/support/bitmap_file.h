// Pictures the Windows tests save to look at: 32-bit BMP files.
#ifndef KL_TESTS_SUPPORT_BITMAP_FILE_H
#define KL_TESTS_SUPPORT_BITMAP_FILE_H

#include <windows.h>

#include <string>

// Writes nWidth x nHeight pixels (top row first, 0x00RRGGBB each) as a
// 32-bit BMP file; false when the file could not be written whole.
bool bWriteBmp(const std::string& strPath, const DWORD* pPixels, int nWidth, int nHeight);

#endif

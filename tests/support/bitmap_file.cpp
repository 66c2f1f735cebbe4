#include "support/bitmap_file.h"

#include <stdio.h>
#include <string.h>

bool bWriteBmp(const std::string& strPath, const DWORD* pPixels, int nWidth, int nHeight)
{
    BITMAPFILEHEADER bf;
    BITMAPINFOHEADER bi;
    memset(&bf, 0, sizeof(bf));
    memset(&bi, 0, sizeof(bi));
    DWORD dwBytes = (DWORD)nWidth * nHeight * 4;
    bi.biSize = sizeof(bi);
    bi.biWidth = nWidth;
    bi.biHeight = -nHeight; // top-down rows
    bi.biPlanes = 1;
    bi.biBitCount = 32;
    bi.biCompression = BI_RGB;
    bf.bfType = 0x4D42; // "BM"
    bf.bfOffBits = sizeof(bf) + sizeof(bi);
    bf.bfSize = bf.bfOffBits + dwBytes;
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return false;
    bool bOk = fwrite(&bf, sizeof(bf), 1, pFile) == 1 && fwrite(&bi, sizeof(bi), 1, pFile) == 1 &&
               (dwBytes == 0 || fwrite(pPixels, dwBytes, 1, pFile) == 1);
    return fclose(pFile) == 0 && bOk;
}

// Host stand-in for <windows.h>: exactly the types, constants and calls that
// the platform-free parts of the program use, so they build and run natively
// under the sanitizers. Controls and GDI are fakes whose state tests set and
// read through host/fakewin.h and host/fakegdi.h.
#ifndef KL_HOST_WINDOWS_H
#define KL_HOST_WINDOWS_H

#include <stddef.h>
#include <stdint.h>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef char CHAR;
typedef char16_t WCHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef intptr_t INT_PTR;
typedef uintptr_t ULONG_PTR;
typedef DWORD COLORREF;

#define TRUE 1
#define FALSE 0

struct HWND__;
struct HDC__;
struct HFONT__;
struct HPEN__;
struct HBRUSH__;
struct HMENU__;
struct HACCEL__;
struct HINSTANCE__;
typedef HWND__* HWND;
typedef HDC__* HDC;
typedef HFONT__* HFONT;
typedef HPEN__* HPEN;
typedef HBRUSH__* HBRUSH;
typedef HMENU__* HMENU;
typedef HACCEL__* HACCEL;
typedef HINSTANCE__* HINSTANCE;
typedef void* HGDIOBJ;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT;

typedef struct tagTEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
} TEXTMETRICA;

#define LF_FACESIZE 32
typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA;

#define LOWORD(l) ((WORD)(((uintptr_t)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((uintptr_t)(l)) >> 16) & 0xffff))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))

// Messages and control notifications
#define WM_COMMAND 0x0111
#define CB_ERR (-1)
#define CB_GETCURSEL 0x0147
#define CB_INSERTSTRING 0x014A
#define CB_SETCURSEL 0x014E

// System metrics
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYCAPTION 4
#define SM_CYICON 12

// GDI
#define MM_TEXT 1
#define MM_ISOTROPIC 7
#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_USERSTYLE 7
#define PS_STYLE_MASK 0x0000000F
#define PS_ENDCAP_FLAT 0x00000200
#define PS_GEOMETRIC 0x00010000
#define BS_SOLID 0
#define TRANSPARENT 1
#define OPAQUE 2
#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17
#define DT_TOP 0x0000
#define DT_LEFT 0x0000
#define DT_WORDBREAK 0x0010
#define DT_NOPREFIX 0x0800
#define DT_CALCRECT 0x0400
#define HGDI_ERROR ((HGDIOBJ)(intptr_t)-1)
#define LOGPIXELSX 88
#define LOGPIXELSY 90

// USER: controls and windows
int GetWindowTextA(HWND hWnd, LPSTR pszText, int nMaxCount);
BOOL SetWindowTextA(HWND hWnd, LPCSTR pszText);
LRESULT SendMessageA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hdc);
int GetSystemMetrics(int nIndex);

// National language support: the user's regional settings
typedef DWORD LCID;
typedef DWORD LCTYPE;
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SDECIMAL 0x000E
int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);

// Files: the host's own file system calls underneath
#define MAX_PATH 260
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x1
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80
typedef void* HANDLE;
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define DELETE 0x10000u
#define FILE_SHARE_READ 0x1
#define FILE_SHARE_WRITE 0x2
#define FILE_SHARE_DELETE 0x4
#define FILE_FLAG_DELETE_ON_CLOSE 0x04000000u
#define CREATE_NEW 1
#define OPEN_EXISTING 3
#define FILE_NAME_NORMALIZED 0x0
#define VOLUME_NAME_DOS 0x0
#define CP_ACP 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_ACCESS_DENIED 5
#define ERROR_SHARING_VIOLATION 32
#define ERROR_WRITE_FAULT 29
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_DISK_FULL 112
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_CANT_RESOLVE_FILENAME 1921
#define ERROR_WRITE_PROTECT 19
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
DWORD GetFileAttributesA(LPCSTR pszPath);
HANDLE CreateFileA(LPCSTR pszPath, DWORD dwAccess, DWORD dwShare, void* pSecurity, DWORD dwDisposition,
                   DWORD dwFlags, HANDLE hTemplate);
BOOL WriteFile(HANDLE hFile, const void* pBuffer, DWORD dwCount, DWORD* pdwWritten, void* pOverlapped);
BOOL ReadFile(HANDLE hFile, void* pBuffer, DWORD dwCount, DWORD* pdwRead, void* pOverlapped);
BOOL SetEndOfFile(HANDLE hFile);
BOOL FlushFileBuffers(HANDLE hFile);
BOOL CloseHandle(HANDLE hObject);
DWORD GetFullPathNameA(LPCSTR pszName, DWORD nSize, LPSTR pszPath, LPSTR* ppszFilePart);
DWORD GetFinalPathNameByHandleA(HANDLE hFile, LPSTR pszPath, DWORD nSize, DWORD dwFlags);
DWORD GetLastError(void);
DWORD GetCurrentProcessId(void);
// The host's code page: each byte is the character of the same number.
int MultiByteToWideChar(UINT uCodePage, DWORD dwFlags, LPCSTR pszText, int nBytes, WCHAR* pwszOut, int nChars);

// The native call that gives an open file another name (a hard link).
typedef unsigned char BOOLEAN;
typedef uint32_t ULONG;
typedef int32_t NTSTATUS;
typedef struct _IO_STATUS_BLOCK {
    NTSTATUS Status;
    ULONG_PTR Information;
} IO_STATUS_BLOCK;
typedef int FILE_INFORMATION_CLASS;
NTSTATUS NtSetInformationFile(HANDLE hFile, IO_STATUS_BLOCK* pIo, void* pInfo, ULONG ulLength,
                              FILE_INFORMATION_CLASS nClass);

// Files: the host's own file system calls underneath
#define MAX_PATH 260
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x1
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80
#define MOVEFILE_REPLACE_EXISTING 0x1
#define MOVEFILE_WRITE_THROUGH 0x8
typedef void* HANDLE;
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x1
#define CREATE_NEW 1
#define OPEN_EXISTING 3
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_ACCESS_DENIED 5
#define ERROR_SHARING_VIOLATION 32
#define ERROR_WRITE_FAULT 29
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_DISK_FULL 112
#define ERROR_NO_MORE_FILES 18
#define ERROR_WRITE_PROTECT 19
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_ALREADY_EXISTS 183
#define STILL_ACTIVE 259
#define PROCESS_QUERY_INFORMATION 0x400
typedef struct _WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    CHAR cFileName[MAX_PATH];
} WIN32_FIND_DATAA;
DWORD GetFileAttributesA(LPCSTR pszPath);
BOOL MoveFileExA(LPCSTR pszFrom, LPCSTR pszTo, DWORD dwFlags);
BOOL DeleteFileA(LPCSTR pszPath);
HANDLE CreateFileA(LPCSTR pszPath, DWORD dwAccess, DWORD dwShare, void* pSecurity, DWORD dwDisposition,
                   DWORD dwFlags, HANDLE hTemplate);
BOOL WriteFile(HANDLE hFile, const void* pBuffer, DWORD dwCount, DWORD* pdwWritten, void* pOverlapped);
BOOL ReadFile(HANDLE hFile, void* pBuffer, DWORD dwCount, DWORD* pdwRead, void* pOverlapped);
BOOL SetEndOfFile(HANDLE hFile);
BOOL CloseHandle(HANDLE hObject);
HANDLE FindFirstFileA(LPCSTR pszPattern, WIN32_FIND_DATAA* pFound);
BOOL FindNextFileA(HANDLE hFind, WIN32_FIND_DATAA* pFound);
BOOL FindClose(HANDLE hFind);
DWORD GetLastError(void);
DWORD GetCurrentProcessId(void);
HANDLE OpenProcess(DWORD dwAccess, BOOL bInherit, DWORD dwPid);
BOOL GetExitCodeProcess(HANDLE hProcess, DWORD* pdwCode);

// GDI
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hObject);
BOOL DeleteObject(HGDIOBJ hObject);
HGDIOBJ GetStockObject(int nIndex);
HPEN CreatePen(int nStyle, int nWidth, COLORREF color);
typedef struct tagLOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
} LOGBRUSH;
// Geometric pens with a solid brush; a style array only with
// PS_USERSTYLE (at most 16 entries), as the real call demands.
HPEN ExtCreatePen(DWORD dwPenStyle, DWORD dwWidth, const LOGBRUSH* pBrush, DWORD dwStyleCount,
                  const DWORD* pStyle);
HBRUSH CreateSolidBrush(COLORREF color);
HFONT CreateFontIndirectA(const LOGFONTA* pLogFont);
int GetObjectA(HGDIOBJ hObject, int nSize, void* pv);
BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* pTm);
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR pszText, int nCount, SIZE* pSize);
int SetMapMode(HDC hdc, int nMode);
int GetMapMode(HDC hdc);
int GetDeviceCaps(HDC hdc, int nIndex);
BOOL SetWindowExtEx(HDC hdc, int x, int y, SIZE* pOld);
BOOL SetViewportExtEx(HDC hdc, int x, int y, SIZE* pOld);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* pOld);
BOOL LPtoDP(HDC hdc, POINT* pPoints, int nCount);
int SetBkMode(HDC hdc, int nMode);
BOOL Polygon(HDC hdc, const POINT* pPoints, int nCount);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* pOld);
BOOL GetCurrentPositionEx(HDC hdc, POINT* pPoint);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Arc(HDC hdc, int nLeft, int nTop, int nRight, int nBottom, int nXStart, int nYStart, int nXEnd,
         int nYEnd);
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR pszText, int nCount);
int DrawTextA(HDC hdc, LPCSTR pszText, int nCount, RECT* pRect, UINT uFormat);

#endif

// The floor for the start-up figures: the least a Win32 program does to show
// a window of the same size as Kurslotse's and paint it once.
#include <windows.h>

static LRESULT CALLBACK WndFloorProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        HBRUSH hBrush = CreateSolidBrush(RGB(255, 255, 0));
        FillRect(hdc, &ps.rcPaint, hBrush);
        DeleteObject(hBrush);
        EndPaint(hWnd, &ps);
        return 0;
    }
    if (uMsg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndFloorProc;
    wc.hInstance = hInst;
    wc.lpszClassName = "Floor";
    RegisterClassA(&wc);
    int cy = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON) - 2 * GetSystemMetrics(SM_CYCAPTION);
    HWND hWnd = CreateWindowExA(0, "Floor", "Floor", WS_OVERLAPPEDWINDOW, 0, 0, GetSystemMetrics(SM_CXSCREEN), cy,
                                NULL, NULL, hInst, NULL);
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

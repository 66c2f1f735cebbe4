// Program entry and the start-up sequence around the single main window.
#include "shell/main.h"

#include "calc/app_state.h"
#include "shell/dialogs.h"
#include "shell/resource.h"
#include "shell/wndproc.h"

int vInitWindowMetrics(void)
{
    FormState* pForm = pApp->pForm;
    pForm->ptWindowPos.x = 0;
    pForm->ptWindowPos.y = 0;
    pForm->nClientWidth = GetSystemMetrics(SM_CXSCREEN);
    // Leaves room for a taskbar-sized strip below the window.
    pForm->nClientHeight =
        GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON) - 2 * GetSystemMetrics(SM_CYCAPTION);
    return 1;
}

int vRegisterMainClass(HINSTANCE hInst)
{
    WNDCLASSA wc;
    wc.style = CS_HREDRAW | CS_VREDRAW; // every size change repaints everything
    wc.lpfnWndProc = WndMaiProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInst;
    wc.hIcon = LoadIconA(hInst, MAKEINTRESOURCEA(IDI_KURSLOTSE));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszMenuName = NULL;
    wc.lpszClassName = KL_MAIN_TITLE;
    return RegisterClassA(&wc) != 0;
}

int vCreateMainMenu(void)
{
    FormState* pForm = pApp->pForm;
    pForm->hMenuBar = CreateMenu();
    if (pForm->hMenuBar == NULL)
        return 0;
    pForm->hMenuFile = CreateMenu();
    if (pForm->hMenuFile == NULL)
        return 0;
    pForm->hMenuHelp = CreateMenu();
    if (pForm->hMenuHelp == NULL)
        return 0;
    // "&" marks the access key: Alt+D opens "Datei", then K, D or B.
    AppendMenuA(pForm->hMenuBar, MF_POPUP, (UINT_PTR)pForm->hMenuFile, "&Datei");
    AppendMenuA(pForm->hMenuFile, MF_STRING, IDM_COPY, "Flug &kopieren");
    AppendMenuA(pForm->hMenuFile, MF_STRING, IDM_PRINT, "&Drucken ...\tStrg+P");
    AppendMenuA(pForm->hMenuFile, MF_STRING, IDM_QUIT, "&Beenden");
    AppendMenuA(pForm->hMenuBar, MF_POPUP, (UINT_PTR)pForm->hMenuHelp, "?");
    AppendMenuA(pForm->hMenuHelp, MF_STRING, IDM_INFO, "&Info ...");
    vCreateAccelerators();
    return 1;
}

// Ctrl+P prints. Copying has no shortcut: Ctrl+C and the other editing
// keys belong to the fields. Without the table the menu still works.
void vCreateAccelerators(void)
{
    ACCEL accel[] = {{FCONTROL | FVIRTKEY, 'P', IDM_PRINT}};
    pApp->pForm->hAccel = CreateAcceleratorTableA(accel, (int)(sizeof(accel) / sizeof(accel[0])));
}

int vCreateMainWindow(HINSTANCE hInst)
{
    FormState* pForm = pApp->pForm;
    pForm->hWndMain = CreateWindowExA(0, KL_MAIN_TITLE, KL_MAIN_TITLE,
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                      pForm->ptWindowPos.x, pForm->ptWindowPos.y, pForm->nClientWidth,
                                      pForm->nClientHeight, NULL, pForm->hMenuBar, hInst, NULL);
    return pForm->hWndMain != NULL;
}

int vMessageLoop(void)
{
    MSG msg;
    // A negative result (an invalid window handle) is not the quit message:
    // the loop simply goes on.
    // A shortcut becomes its menu command and goes no further, so the
    // focused field never sees its keys.
    FormState* pForm = pApp->pForm;
    while (GetMessageA(&msg, NULL, 0, 0) != 0) {
        if (pForm->hAccel != NULL && TranslateAcceleratorA(pForm->hWndMain, pForm->hAccel, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (pForm->hAccel != NULL)
        DestroyAcceleratorTable(pForm->hAccel);
    pForm->hAccel = NULL;
    return LOWORD(msg.wParam);
}

int vAppRun(HINSTANCE hInst)
{
    FormState* pForm = pApp->pForm;
    pForm->hInst = hInst;
    vInitWindowMetrics();
    if (!vRegisterMainClass(hInst))
        return 0;
    // Window creation subclasses the edits, so the procedure must be known now.
    pForm->pfnEditProc = WndTexProc;
    if (!vCreateMainMenu())
        return 0;
    if (!vCreateMainWindow(hInst))
        return 0;
    ShowWindow(pForm->hWndMain, SW_SHOW);
    UpdateWindow(pForm->hWndMain);
    pForm->pfnDialogProc = WndDiaProc;
    vVersionReminder();
    return vMessageLoop();
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInst, LPSTR pszCmdLine, int nCmdShow)
{
    // No second instance handling, no command line; the window always opens
    // shown normally.
    (void)hPrevInst;
    (void)pszCmdLine;
    (void)nCmdShow;
    if (!vAppInit())
        return 0;
    return LOWORD(vAppRun(hInst));
}

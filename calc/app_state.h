// The program's whole state: one root record and three sub-records, reached
// through the single global pointer pApp. Plain data, allocated zero-filled
// once by vAppInit and kept until the process ends.
#ifndef KL_CALC_APP_STATE_H
#define KL_CALC_APP_STATE_H

#include <windows.h>
#include <stdio.h>

// The ten inputs in form order; also the control identifier of each edit.
enum InputId {
    Departure = 0,
    Destination,
    Tas,
    WindSpeed,
    WindDir,
    TrueCourse,
    Variation,
    Deviation,
    Distance,
    FuelFlow
};

enum {
    INPUT_COUNT = 10,      // number of inputs
    INPUT_TEXT_SIZE = 256, // bytes per input text buffer, terminator included
    UNIT_CHOICES = 2,      // unit choices an input can have at most
    LEGEND_ROWS = 7,       // rows of the results block
    LEGEND_COLOURS = 3,    // coloured rows (wind, course, heading)
    // A unit box's control identifier is this plus the InputId of its
    // input; the edit's identifier is the InputId itself.
    IDC_UNIT_BASE = 50
};

enum {
    // The longest result text: a time or fuel amount near the largest
    // double, whose 309 digits are all printed.
    RESULT_TEXT_SIZE = 512,
    NO_NOTICE = -1,
    // The route line or a result row, as a screen reader is told it.
    ANNOUNCED_TEXT_SIZE = 2 * INPUT_TEXT_SIZE + RESULT_TEXT_SIZE,
    // A result's unit apart ("[km/h]"), and its number, which leaves room
    // for the colon, the unit and the blanks around it in the shown text.
    UNIT_TEXT_SIZE = 16,
    NUMBER_TEXT_SIZE = RESULT_TEXT_SIZE - UNIT_TEXT_SIZE - 8,
    // The ground speed follows the seven rows of the block: the copy and
    // the printed page show it, the window's block does not.
    ROW_GROUND_SPEED = LEGEND_ROWS,
    RESULT_ROWS = LEGEND_ROWS + 1
};

// What the results block shows for the inputs of one paint: the value text
// of each row ("" for a row that shows none), and the prompt for the first
// missing input or the notice that the course cannot be flown, with the row
// it stands in (NO_NOTICE when there is none). Rows after a prompt or the
// notice show nothing.
struct ResultTexts {
    char szValue[LEGEND_ROWS][RESULT_TEXT_SIZE];
    char szNotice[RESULT_TEXT_SIZE];
    int nNoticeRow;
    // Each value of szValue in its two parts, and the ground speed's: the
    // number alone as shown (a point before the decimals, a time as h:mm,
    // "####" where no value can be had) and its unit ("" for none). Both
    // "" in a row that shows no value.
    char szNumber[RESULT_ROWS][NUMBER_TEXT_SIZE];
    char szUnit[RESULT_ROWS][UNIT_TEXT_SIZE];
};

// A box is x, y, width, height (never left, top, right, bottom).
struct Box {
    int x;
    int y;
    int cx;
    int cy;
};

struct DiagramState {
    int bShowDiagram;
    HFONT hDiagramFont;
    int nCharWidth;
    int nCharHeight;
    int nHalfWidth;
    int nHalfHeight;
    POINT ptWindowExt;
    int nFormWidthLog;
    int bShowTitle;
    char* pszTitle;
    char* pszFrom;
    char* pszTo;
    POINT ptTitle;
    int bShowTriangle;
    POINT ptCenterInit;
    int nRadiusInit;
    POINT ptCenter;
    int nRadius;
    int nTick;
    int bShowResults;
    char* pszLegend[LEGEND_ROWS];
    float fColor[LEGEND_COLOURS][3];
    int nLegendLine;
    int nLegendTextWidth;
    POINT ptLegendMark[LEGEND_ROWS];
    POINT ptLegendLabel[LEGEND_ROWS];
    POINT ptLegendValue[LEGEND_ROWS];
    // The results block's texts, composed once per paint before the layout
    // measures them; the drawing and the copy read them from here.
    ResultTexts results;
    // The values of this paint have no room beside their captions: each
    // stands on the line under its caption.
    int bValuesBelow;
    // Logical width of the thinnest line: 1 on the screen (a pixel), more on
    // a printer's page, where a pixel is a hairline.
    int nLineWidth;
    // The font the paint surface held before the diagram mapping selected
    // its own; put back at the end of the diagram paint.
    HGDIOBJ hPaintOldFont;
    // A larger copy of hDiagramFont, for panels on which that font would come
    // out smaller than the form font (or null), with the scale (pixels per
    // 1000 units) and the pixel height it was made for. Kept between paints,
    // so the platform keeps its rendered glyphs too; deleted with the fonts.
    HFONT hReadableFont;
    int nReadableScale;
    int nReadableHeight;
};

struct RedrawTimer {
    int bPending;
    int nStep;
    int nLimit;
    int nElapsed;
};

struct FormState {
    POINT ptWindowPos;
    int nClientWidth;
    int nClientHeight;
    HINSTANCE hInst;
    DLGPROC pfnDialogProc;
    WNDPROC pfnOrigEditProc[INPUT_COUNT];
    WNDPROC pfnEditProc;
    HWND hWndMain;
    HMENU hMenuBar;
    HMENU hMenuFile;
    HMENU hMenuHelp;
    // The menu's keyboard shortcuts, translated by the message loop.
    HACCEL hAccel;
    int bFormLaidOut;
    Box rcForm;
    float fFormColor[3];
    int nSysCharWidth;
    int nSysLineHeight;
    HWND hEdit[INPUT_COUNT];
    int bValid[INPUT_COUNT];
    char szInput[INPUT_COUNT][INPUT_TEXT_SIZE];
    POINT ptEditPos[INPUT_COUNT];
    SIZE sizeEdit[INPUT_COUNT];
    HFONT hFont;
    char* pszLabel[INPUT_COUNT];
    POINT ptLabel[INPUT_COUNT];
    SIZE sizeLabel[INPUT_COUNT];
    HWND hUnit[INPUT_COUNT];
    char* pszUnit[INPUT_COUNT][UNIT_CHOICES];
    int nUnitSel[INPUT_COUNT];
    POINT ptUnit[INPUT_COUNT];
    SIZE sizeUnit[INPUT_COUNT];
    int bShowHints;
    char* pszHint[INPUT_COUNT];
    POINT ptHint[INPUT_COUNT];
    SIZE sizeHint[INPUT_COUNT];
    int nFormWidth;
    Box rcDiagram;
    float fDiagramColor[3];
    POINT ptViewportExt;
    POINT ptViewportOrg;
    // Pixel height of hFont as the form layout measured it; the diagram text
    // is never drawn smaller than this.
    int nFormFontHeight;
    // The smallest client in which every field, caption and result is
    // whole, measured by the form layout.
    SIZE sizeMinClient;
    // The input whose edit last had the keyboard focus; the main window
    // hands the focus back to it when it is activated again (after a dialog).
    int nFocusInput;
    // The keyboard is in the results block (F6 from a field): the main
    // window itself has the focus, on result row nResultRow.
    int bResultsFocus;
    int nResultRow;
};

struct AppState {
    DiagramState* pDiagram;
    RedrawTimer* pTimer;
    FormState* pForm;
    FILE* pSettingsFile;
    // The settings file was there at start but could not be read (another
    // program held it locked): the choices it keeps are unknown, so only a
    // unit the user picked is worth writing over them.
    int bSettingsUnread;
    // The user changed a unit choice during this run.
    int bUnitChanged;
    // The settings were saved, and the save succeeded, as the session
    // ended; the window's destruction that may follow saves them again only
    // when a unit was changed since (a session end that did not end the
    // process).
    int bSettingsSaved;
    // A unit choice changed since the settings were last saved.
    int bUnitChangedSinceSave;
    // The panel's title and result rows as a screen reader last heard of
    // them: one whose text differs at the next paint is announced as changed.
    char szAnnounced[LEGEND_ROWS + 1][ANNOUNCED_TEXT_SIZE];
};

extern AppState* pApp;

// 1 when the input has a unit combobox with two choices (Tas, WindSpeed,
// Distance, FuelFlow), else 0.
int vHasUnitChoice(int id);

// The input whose unit box with two choices has the control identifier
// uCtrlId; -1 for any other identifier.
int vUnitBoxInput(UINT uCtrlId);

// Input id's label without the blank that lines up the one-digit numbers.
const char* vBareLabel(int id);

// Allocates the four records and sets their initial values; 1 on success,
// 0 when an allocation failed (the program then ends at once).
int vAppInit(void);

#endif

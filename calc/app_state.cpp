#include "calc/app_state.h"

#include <stdlib.h>
#include <string.h>

AppState* pApp = NULL;

static const char* const kLabels[INPUT_COUNT] = {
    " 1. Startort",
    " 2. Zielort",
    " 3. Fluggeschwindigkeit (TAS)",
    " 4. Windgeschwindigkeit (WS)",
    " 5. Windwinkel (WD)",
    " 6. Bodenkurs (TC)",
    " 7. Ortsmissweisung (VAR)",
    " 8. Kompassablenkung (DEV)",
    " 9. Distanz (s)",
    "10. Verbrauch pro Zeit",
};

// Unit strings per input, choice 0 and choice 1 (NULL: no second choice).
// "\xB0" is the degree sign in Windows-1252.
static const char* const kUnits[INPUT_COUNT][UNIT_CHOICES] = {
    {"", NULL},
    {"", NULL},
    {"[km/h]", "[kt]"},
    {"[km/h]", "[kt]"},
    {"[\xB0]", NULL},
    {"[\xB0]", NULL},
    {"[\xB0]", NULL},
    {"[\xB0]", NULL},
    {"[km]", "[NM]"},
    {"[l/h]", "[l/min]"},
};

static const char* const kHints[INPUT_COUNT] = {
    "",
    "",
    "(z.B.: 110)",
    "(z.B.: 5)",
    "(z.B.: 230)",
    "(z.B.: 85)",
    "(z.B.: -3, 2, 3W, 2E)",
    "(z.B.: -3, 2, 3W, 2E)",
    "(z.B.: 69)",
    "(z.B.: 12)",
};

static const char* const kLegend[LEGEND_ROWS] = {
    "Windvektor",
    "Bodenkurs",
    "Flugkurs (TH)",
    "Windkorrekturwinkel (WCA)",
    "Kompasskurs (CH)",
    "Flugzeit (t)",
    "Verbrauch",
};

// Wind vector blue, course green, heading red (red, green, blue).
static const float kLegendColours[LEGEND_COLOURS][3] = {
    {0.0f, 0.0f, 1.0f},
    {0.0f, 1.0f, 0.0f},
    {1.0f, 0.0f, 0.0f},
};

static const float kFormColour[3] = {1.0f, 1.0f, 0.0f};
static const float kDiagramColour[3] = {1.0f, 1.0f, 1.0f};

// Every string gets its own heap copy, kept for the life of the process.
// A failed copy fails the whole start, like a failed record allocation:
// the painting code relies on every string pointer being set.
static int vCopyString(const char* pszSource, char** ppszTarget)
{
    size_t nSize = strlen(pszSource) + 1;
    char* psz = (char*)malloc(nSize);
    if (psz == NULL)
        return 0;
    memcpy(psz, pszSource, nSize);
    *ppszTarget = psz;
    return 1;
}

int vHasUnitChoice(int id)
{
    return id == Tas || id == WindSpeed || id == Distance || id == FuelFlow;
}

int vUnitBoxInput(UINT uCtrlId)
{
    if (uCtrlId < IDC_UNIT_BASE || uCtrlId >= IDC_UNIT_BASE + INPUT_COUNT)
        return -1;
    int id = (int)(uCtrlId - IDC_UNIT_BASE);
    return vHasUnitChoice(id) ? id : -1;
}

const char* vBareLabel(int id)
{
    const char* psz = pApp->pForm->pszLabel[id];
    while (*psz == ' ')
        psz++;
    return psz;
}

static int vInitDiagram(DiagramState* pDiagram)
{
    pDiagram->nHalfWidth = 1000;
    pDiagram->nHalfHeight = 1000;
    if (!vCopyString("Flugnavigation", &pDiagram->pszTitle) ||
        !vCopyString("von", &pDiagram->pszFrom) ||
        !vCopyString("nach", &pDiagram->pszTo))
        return 0;
    pDiagram->ptTitle.x = -50;
    pDiagram->ptTitle.y = 990;
    pDiagram->ptCenterInit.x = 0;
    pDiagram->ptCenterInit.y = 0;
    pDiagram->nRadiusInit = 500;
    pDiagram->nLegendLine = 20;
    pDiagram->nLineWidth = 1;
    for (int i = 0; i < LEGEND_ROWS; i++)
        if (!vCopyString(kLegend[i], &pDiagram->pszLegend[i]))
            return 0;
    memcpy(pDiagram->fColor, kLegendColours, sizeof(pDiagram->fColor));
    return 1;
}

static int vInitForm(FormState* pForm)
{
    memcpy(pForm->fFormColor, kFormColour, sizeof(pForm->fFormColor));
    for (int i = 0; i < INPUT_COUNT; i++) {
        if (!vCopyString(kLabels[i], &pForm->pszLabel[i]))
            return 0;
        pForm->nUnitSel[i] = 0;
        for (int u = 0; u < UNIT_CHOICES; u++) {
            pForm->pszUnit[i][u] = NULL;
            if (kUnits[i][u] != NULL && !vCopyString(kUnits[i][u], &pForm->pszUnit[i][u]))
                return 0;
        }
        if (!vCopyString(kHints[i], &pForm->pszHint[i]))
            return 0;
    }
    pForm->bShowHints = 0;
    memcpy(pForm->fDiagramColor, kDiagramColour, sizeof(pForm->fDiagramColor));
    return 1;
}

int vAppInit(void)
{
    // A failure leaves what was allocated so far in place: the program ends
    // right after, and the records are never released anyway.
    pApp = (AppState*)calloc(1, sizeof(AppState));
    if (pApp == NULL)
        return 0;
    pApp->pDiagram = (DiagramState*)calloc(1, sizeof(DiagramState));
    if (pApp->pDiagram == NULL)
        return 0;
    pApp->pTimer = (RedrawTimer*)calloc(1, sizeof(RedrawTimer));
    if (pApp->pTimer == NULL)
        return 0;
    pApp->pForm = (FormState*)calloc(1, sizeof(FormState));
    if (pApp->pForm == NULL)
        return 0;

    if (!vInitDiagram(pApp->pDiagram))
        return 0;
    pApp->pTimer->nStep = 100;
    pApp->pTimer->nLimit = 700;
    return vInitForm(pApp->pForm);
}

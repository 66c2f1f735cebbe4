// The flight as plain text, for the clipboard: the route, the ten inputs as
// typed with their units, and the results block as it shows now.
#ifndef KL_FORM_FLIGHT_TEXT_H
#define KL_FORM_FLIGHT_TEXT_H

enum {
    // Ten inputs and nine result lines at their longest, with captions.
    FLIGHT_TEXT_SIZE = 16384
};

// "Flugnavigation", then " von" and " nach" with the places that are typed.
// 1, or 0 when the text does not fit into nSize bytes (it is then cut).
int vGetRouteText(char* pszText, int nSize);

// One line per item, CR LF after each: the route line, then each input's
// label and text with its unit (none when the field is empty), then each
// result row's caption and value as the results block shows it, the
// colon and the blanks before the value left off. Caption and value are
// separated by a tab. Rows that show no value carry their caption alone,
// as in the window; the prompt or the unflyable note stands in its row.
// 1, or 0 when the text does not fit into nSize bytes.
int vGetFlightText(char* pszText, int nSize);

#endif

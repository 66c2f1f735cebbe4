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

// One line per item, CR LF after each, and three cells to every line,
// separated by tabs: the route line (the other two cells empty), then each
// input's label, its text and its unit (none when the field is empty), then
// each result row's caption, number and unit as the results block shows
// them, and last the ground speed in the airspeed's unit. An input that
// reads as a plain number, and every result's number, is written with the
// user's regional decimal separator; other inputs stand as typed, a tab or
// line end in them as a blank. Rows that show no value carry their caption
// alone, as in the window; the prompt or the unflyable note stands in its
// row's number cell. 1, or 0 when the text does not fit into nSize bytes.
int vGetFlightText(char* pszText, int nSize);

#endif

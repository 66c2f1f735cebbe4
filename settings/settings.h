// The four unit choices, kept in "flugstat.txt" in the working directory.
#ifndef KL_SETTINGS_SETTINGS_H
#define KL_SETTINGS_SETTINGS_H

// Writes the current choices; silently does nothing if the file can't be made.
void vPutStat(void);

// Reads the saved choices into nUnitSel and the comboboxes, if the file exists.
void vGetStat(void);

#endif

// The four unit choices, kept in "flugstat.txt" in the working directory.
#ifndef KL_SETTINGS_SETTINGS_H
#define KL_SETTINGS_SETTINGS_H

// Writes the current choices: a new file, made by the save itself under a
// name of the program's own, is written beside the old one and replaces it
// only when every write succeeded, so a full disk or a locked file leaves
// the old one as it was, two copies of the program saving at once leave one
// whole file, and no other file is ever touched. Where the folder lets no
// new file be made, the old one is written over in place. Writes nothing
// when the file could not be read at start and the user changed no unit
// since. 1 when the file was written, 0 when not (not reported to the user).
int vPutStat(void);

// Reads the saved choices into nUnitSel and the comboboxes, if the file
// exists; notes in bSettingsUnread when it exists but could not be read.
// First removes the new files that saves of copies ended before their move
// (killed, or the system went down) left beside it.
void vGetStat(void);

#endif

// The four unit choices, kept in "flugstat.txt" in the working directory.
#ifndef KL_SETTINGS_SETTINGS_H
#define KL_SETTINGS_SETTINGS_H

// Writes the current choices: a new file of the program's own is written
// beside the old one and linked over it in one step only when every write
// succeeded, so a full disk or a held file leaves the old one as it was,
// two copies of the program saving at once leave one whole file, and no
// other file is ever opened for writing, renamed or removed. The new file
// goes with its handle, also when the process is killed. Where the
// settings file is a link, the file it leads to is written and the link
// stays. Where the folder lets no new file be made or no name be replaced,
// the old one is written over in place. Writes nothing when the file could
// not be read at start and the user changed no unit since. 1 when the file
// was written, 0 when not (not reported to the user; tried again at exit).
int vPutStat(void);

// Reads the saved choices into nUnitSel and the comboboxes, if the file
// exists; notes in bSettingsUnread when it exists but could not be read.
void vGetStat(void);

#endif

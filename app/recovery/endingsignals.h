#ifndef VORPEN_ENDINGSIGNALS_H
#define VORPEN_ENDINGSIGNALS_H

class JournalKeeper;

// Journals every page with unsaved text at once when the session ends the program: on
// SIGTERM and SIGHUP, and when the display goes away. The program then ends without asking,
// leaving its journals and any simulation it started running. A save beyond the file-size
// limit fails as a short write instead of ending the program.
void watchEndingSignals(JournalKeeper *keeper);

#endif

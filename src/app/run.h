#ifndef LUMTREL_APP_RUN_H_
#define LUMTREL_APP_RUN_H_

/// Runs the tool once: checks that `argumentVector` holds exactly one
/// argument after the program name (the IES file path), reads and reports
/// that file, exports its candela grid to a path the user types, and holds
/// the console open before returning. Returns the exit status: 0 when the
/// table or workbook was saved; 1 for a wrong argument count; 2 when the
/// file could not be read (it can't be opened, or it was refused as
/// invalid); 3 when it was read but nothing was saved (no output path
/// given, the answer names the input file, or the save failed). The reason
/// has been printed in each case.
int run(int argumentCount, char* argumentVector[]);

#endif  // LUMTREL_APP_RUN_H_

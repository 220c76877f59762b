#ifndef LUMTREL_APP_RUN_H_
#define LUMTREL_APP_RUN_H_

/// Runs the tool once: checks that `argumentVector` holds exactly one
/// argument after the program name (the IES file path), reads and reports
/// that file, exports its candela grid to a path the user types, and holds
/// the console open before returning. Returns the exit
/// status: 1 for a wrong argument count, 0 otherwise, a file that could not
/// be read included (its reason has been printed).
int run(int argumentCount, char* argumentVector[]);

#endif  // LUMTREL_APP_RUN_H_

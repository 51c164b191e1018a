#pragma once
// A library may end the program from under the user (the window system's library calls exit()
// when the display connection breaks); nobody can then be asked about a modified document. Armed,
// the program keeps its unsaved changes for the next start (KeepUnsavedChanges) when it ends
// that way; the normal end disarms it first.

namespace quoxa {

// Arms the keeping of unsaved changes at an exit nobody asked for.
void KeepUnsavedChangesAtExit();
// The program ends the way it should: nothing to keep.
void ProgramEndsNormally();
// Keeps the unsaved changes of every modified document; the number kept.
int KeepUnsavedChangesOfAll();

}  // namespace quoxa

#pragma once
// The colouriser (Colori&zar HTML, Ctrl+F8) and font standardisation
// (&Padronizar Fonte, Ctrl+F7). Both rebuild the current document's rich text
// from its plain text; the characters, the selection, the scroll positions and
// the saved state stay as they were.
class frmMain;

void RegisterColouriser(frmMain &m);

// The colourise command (mnuFerramentasColorizar).
void ColorizeCommand(frmMain &m);
// The font standardisation command (mnuFerramentasPadronizar).
void StandardizeFontCommand(frmMain &m);

// Time spent in each phase of the last colouring or standardisation, in
// milliseconds (the benchmark reads it).
struct ColorizeTimings {
    double copyIn = 0;   // plain text into the work editor and back
    double passes = 0;   // the four replacement passes
    double rtfLoad = 0;  // the RTF into the work editor
    double painting = 0; // comments and server-side blocks
    double rtfOut = 0;   // the work editor's rich text as RTF
    double copyBack = 0; // that RTF into the document
    double total = 0;    // the whole command
};
const ColorizeTimings &LastColorizeTimings();

// Rebuilds the current document's formatting; false when it stopped early
// (settings unreadable, no work editor), leaving the document untouched.
bool ColorizeCurrentDocument(frmMain &m);

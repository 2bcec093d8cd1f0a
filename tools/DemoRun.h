#pragma once
// How the demos end: with --screenshot FILE (among the demo's own
// arguments) the form is shown, given time to settle on the desktop, saved
// as a picture, and the program ends; otherwise the application runs until
// the form closes.

class TForm;

int RunDemo(int argc, char** argv, TForm* form);

// Handles messages for that long, so that the desktop shows what changed
// before a picture is taken.
void SettleFor(int milliseconds);

#pragma once
// The catalogue of the library System: the language's basic vocabulary.

class TCatalogue;

// Fills System after the part the engine declares itself (the built-in
// kinds, Vector, Matrix, the constants and the built-in operators): the host
// kinds, the event types, the routines and their types, in a fixed order.
// The order is visible: the kind table interns structures, so the first
// name a structure gets is the one it prints under, and the windows list
// members in this order. The engine runs it once, as the System catalogue.
void RegisterSystemLibrary(TCatalogue& catalogue);

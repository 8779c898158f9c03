// What the add-in does with COM that none of its results shows: its OLE initialisations, the
// bind contexts, running object tables, enumerators and monikers it holds, how often it
// enumerates the table, and the automation strings and safe arrays it owns. Its imports of
// ole32 and oleaut32 are pointed at recorders (import_watch.cpp); the bind context it makes is
// wrapped, so that what it reaches through that context is counted as well. The host's own
// automation objects report what they hand straight to the add-in.
#pragma once

namespace xlhost::win32 {

// The recorder that stands for one of the add-in's COM imports; null for any other name.
void* automation_recorder_for(const char* name);

// Remembers a module whose imports are watched, so that calls made from its code are known.
void note_watched_module(void* module);
// True when `code` (a return address) lies in a watched module: the add-in itself is calling.
bool called_from_watched_module(void* code);
// A VARIANT that the host's automation objects gave straight to the add-in as a result: the
// strings and safe arrays in it are now the add-in's to free.
void note_handed_to_addin(const void* variant);

}  // namespace xlhost::win32

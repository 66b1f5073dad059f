#pragma once
// For the album benchmark (tools/bench): when the environment names a file in
// LUMIVO_FRAME_LOG, the page surface appends "<tick ms> <page index>" each
// time it has shown a page other than the one before: another index, or the
// page an undo or a redo put in its place. Nothing otherwise.
void LogPageShown(int pageIndex, const void* page);

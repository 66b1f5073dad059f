#pragma once
// Combining a crop selection with a new shape through the polygon engine: one
// fresh engine per combination (it rewrites "booleng.log" in the current folder).
#include "boolengine/booleng.h"
#include "crop/CropPoly.h"

// The crop tool's grid and tolerances: a pixel is 10,000,000 engine units and
// points closer than a thousandth of a pixel merge.
void SetupBoolEngine(Bool_Engine* engine);
// Every polygon of the selection as group A; one the engine refuses is skipped.
void AddPolygonsToBoolEngine(Bool_Engine* engine, const CPolyArray& selection);
// Replaces the selection by the engine's result, coordinates truncated toward zero.
void ReadBoolEngineResult(Bool_Engine* engine, CPolyArray& selection);

// Applies a combination mode to the selection. False for an unknown mode (the
// selection is untouched) and when no shape could be added (the operation
// still runs on the selection alone). Errors of the engine leave as
// Bool_Engine_Error, with the selection possibly half changed: callers that
// must keep it combine a copy.
bool CombineCropSelection(CPolyArray& selection, const CPoly* shape, int mode);

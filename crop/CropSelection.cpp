#include "crop/CropSelection.h"

#include <climits>
#include <cmath>

namespace {
int truncateToPixel(double v) {
  if (!(v > INT_MIN)) return INT_MIN;  // also NaN
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(v);  // toward zero: 10.9999 is pixel 10
}

int engineOperation(int mode) {
  switch (mode) {
    case cropAdd: return BOOL_OR;
    case cropSubtract: return BOOL_A_SUB_B;
    default: return BOOL_AND;
  }
}

void addPolygon(Bool_Engine* engine, const CPoly& poly, int group, bool* pAdded) {
  if (!engine->StartPolygonAdd(group)) return;
  for (INT_PTR i = 0; i < poly.GetSize(); ++i)
    engine->AddPt(static_cast<double>(poly[i].x), static_cast<double>(poly[i].y));
  engine->EndPolygonAdd();
  if (pAdded) *pAdded = true;
}
}  // namespace

void SetupBoolEngine(Bool_Engine* engine) {
  engine->SetMarge(0.001);
  engine->SetGrid(10000);
  engine->SetDGrid(1000.0);
  engine->SetCorrectionFactor(500.0);
  engine->SetCorrectionAber(1.0);
  engine->SetSmoothAber(10.0);
  engine->SetMaxlinemerge(1000.0);
  engine->SetRoundfactor(1.5);
}

void AddPolygonsToBoolEngine(Bool_Engine* engine, const CPolyArray& selection) {
  for (INT_PTR i = 0; i < selection.GetSize(); ++i) addPolygon(engine, selection[i], GROUP_A, nullptr);
}

void ReadBoolEngineResult(Bool_Engine* engine, CPolyArray& selection) {
  selection.RemoveAll();
  while (engine->StartResultPolygon()) {
    CPoly poly;
    while (engine->NextResultPoint())
      poly.Add(CPoint(truncateToPixel(engine->GetResultPointX()), truncateToPixel(engine->GetResultPointY())));
    engine->EndResultPolygon();
    selection.Add(poly);
  }
}

bool CombineCropSelection(CPolyArray& selection, const CPoly* shape, int mode) {
  switch (mode) {
    case cropClear:
      selection.RemoveAll();
      return true;
    case cropReplace:
      selection.RemoveAll();
      if (!shape) return false;
      {
        CPoly copy(*shape);
        selection.Add(copy);
      }
      return true;
    case cropAdd:
    case cropSubtract:
    case cropIntersect: {
      Bool_Engine engine;
      SetupBoolEngine(&engine);
      AddPolygonsToBoolEngine(&engine, selection);
      bool added = false;
      if (shape) addPolygon(&engine, *shape, GROUP_B, &added);
      engine.Do(engineOperation(mode));
      ReadBoolEngineResult(&engine, selection);
      return added;
    }
    default:
      return false;
  }
}

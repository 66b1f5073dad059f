#include "framework/thread_state.h"

AfxThreadState& AfxGetThreadState() {
  static thread_local AfxThreadState state;
  return state;
}

void AfxDeleteTempMaps() {
  for (auto& clean : AfxGetThreadState().tempMapCleaners) clean();
}

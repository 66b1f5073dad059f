#pragma once
// The owner of one COM reference lives in the framework, the lowest layer
// that holds one; rendering uses the same.
#include "framework/com_ref.h"

#pragma once
#include "framework/framework.h"

// The lower-cased character after the first single "&" of a menu text ("&&" is
// a plain ampersand), or 0.
char MnemonicOf(const CString& text);

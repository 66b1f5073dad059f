#pragma once
// An opaque cursor into a list, map or selection; null means "no more".
struct __POSITION {};
typedef __POSITION* POSITION;

#pragma once
// Operation codes shared by the engine interface and its pipeline.
enum BOOL_OP { BOOL_NON = 0, BOOL_OR = 1, BOOL_AND = 2, BOOL_EXOR = 3, BOOL_A_SUB_B = 4,
               BOOL_B_SUB_A = 5, BOOL_CORRECTION = 6, BOOL_SMOOTHEN = 7, BOOL_MAKERING = 8 };

enum GroupType { GROUP_A = 0, GROUP_B = 1 };

inline bool IsBooleanOp(int op) { return op >= BOOL_OR && op <= BOOL_B_SUB_A; }

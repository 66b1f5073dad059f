#pragma once
// 200x10 channel (grey; active blue), 10x10 thumb (red; active green) whose
// first column is magenta, the colour of pixel (0, 0).
#define IDB_TEST_CHANNEL 201
#define IDB_TEST_CHANNEL_ACTIVE 202
#define IDB_TEST_THUMB 203
#define IDB_TEST_THUMB_ACTIVE 204

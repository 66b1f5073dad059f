#pragma once
// Pictures that could not be shown (unreadable file, no memory left): drawn
// as a grey box with a cross and told to the user once. The drawing code
// notes them; the editor takes the ones not yet told after a frame.
#include <d3d9.h>

#include <memory>
#include <string>
#include <vector>

#include "render/PictureCache.h"

void NotePictureFailure(const std::string& path);
// The pictures noted since the last call that were never told before.
std::vector<std::string> TakeUntoldPictureFailures();
// A picture the user was already told of another way is not told again.
void MarkPictureFailureTold(const std::string& path);
// A new album: every picture may be told again.
void ForgetToldPictureFailures();

// The grey box with a cross of the device, one square texture the quad
// stretches over itself (the cross runs corner to corner whatever the
// picture's proportions); shared through the picture cache.
SharedTiles FailedPictureTiles(IDirect3DDevice9* device);

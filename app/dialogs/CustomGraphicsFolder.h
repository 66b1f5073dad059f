#pragma once
// The custom graphics folder's tree: "image", "frame" and "effect", each with
// "highres" and "lowres", and "template".
#include <string>

// Each folder of the tree made when missing. A typed folder that does not
// exist yet is made too, with every missing folder above it, so that a new
// path such as D:\Grafiche\Mie gets its tree. False, with the system's error
// left, when any folder of the tree is missing afterwards.
bool MakeCustomFolders(const std::string& folder);

#pragma once
// How deep an album's elements, and the nodes made of them, may nest; the
// album root is level 1. A real album nests below ten levels (album, page,
// frame, groups, photo, effect), so 100 is far above any of them. Every
// recursive walk of the tree or of its XML (parsing, building, drawing, hit
// tests, copies, saving) takes at most about 330 bytes of stack a level:
// 100 levels use some 33 KiB of the editor's 2 MiB stack, where about 6,000
// would overflow it. Colour changes reach every level below a container, so
// drawing a tree at the limit for the first time stays well under a second.
constexpr int kMaxNestingDepth = 100;

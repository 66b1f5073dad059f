#pragma once
// Albums of real size for tests and the album benchmark, made from an album
// whose image list already holds photos.
#include <string>

// Imports `count` more small pictures of different colours into the album's
// image list, written first into the folder `scratch`. False on a failure.
bool ImportPictures(const std::string& project, const std::string& scratch, int count);

// Rewrites the album's pages: `spreads` spreads of `photos` photos of its image
// list in a grid; with `crowd` > 0 the first spread instead holds that many
// objects. The first spread is the current one. False when the album or its
// image list cannot be read or written.
bool RewriteAlbumPages(const std::string& project, int spreads, int photos, int crowd);

// Adds `count` short texts of different words in one font to the album's
// current page, in a grid over it. False when the album cannot be read or written.
bool AddTextsToCurrentPage(const std::string& project, int count);

#pragma once
// The demonstration album tools/run opens: a wedding album made from the
// program's "Classico 30x15" album template, its numbered placeholders filled
// with the sample photos imported as "Carica immagini" imports them, the
// names of the couple on the cover, saved as the editor saves. Everything it
// shows comes from the program folder and the sample photos, so it opens
// without a missing picture.
#include <string>

struct DemoAlbumSources {
  std::string programFolder;  // holds "template", "frame", "effect", "image"
  std::string photoFolder;    // the sample photos
};

// Writes the album "Giulia e Marco" below an existing folder and returns its
// project file's path. Throws std::runtime_error (or the document's
// exception) when something of it cannot be made.
std::string MakeDemoAlbum(const std::string& folder, const DemoAlbumSources& sources);

#pragma once
// What the page's texts may hold: every built text mesh counts its geometry
// here, and once the texts together hold the budget a text is not built but
// drawn as a box with a cross, told to the user once. A page of thousands of
// texts thus cannot use up the process's address space.
#include <d3dx9.h>

#include <cstddef>

// Bytes of a mesh's vertices and indices.
size_t MeshGeometryBytes(ID3DXMesh* mesh);

// The geometry every text mesh of the process holds together, kept up to date
// by the meshes themselves.
size_t TextMemoryHeld();
void NoteTextMemoryTaken(size_t bytes);
void NoteTextMemoryGiven(size_t bytes);

// The budget; 0 puts back the program's own. Tests lower it so that the
// placeholders show without thousands of texts.
void SetTextMemoryLimit(size_t bytes);
size_t TextMemoryLimit();
// Whether one more text may be built.
bool TextMemoryAllowsAnother();

// While one lives, the texts built may also take a share of the budget of
// their own (a quarter of it), whatever the others hold: the page bar draws a
// page that is not on screen under one, and gives its texts back at once, so
// that its picture shows them while the page on screen holds the budget.
class TextMemoryShare {
public:
    TextMemoryShare();
    ~TextMemoryShare();
    TextMemoryShare(const TextMemoryShare&) = delete;
    TextMemoryShare& operator=(const TextMemoryShare&) = delete;

private:
    const size_t m_outer;
};

// A text drawn as a placeholder; the user is told once per album.
void NoteTextPlaceholder();
// How many texts were drawn as placeholders so far: a drawing that raised it
// shows boxes where texts belong.
size_t TextPlaceholdersDrawn();
// True once after texts were drawn as placeholders and not yet told.
bool TakeUntoldTextPlaceholders();
// A new album: its placeholders are told afresh.
void ForgetToldTextPlaceholders();

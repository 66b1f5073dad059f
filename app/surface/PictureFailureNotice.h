#pragma once
// Telling the user, once per picture, which pictures of the album could not
// be shown (unreadable file or no memory left); they show as grey boxes with
// a cross and stay in the album as they are.
#include <windows.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

// How a picture is named to the user, from its full path; without one, by
// its file name.
using PictureNamer = std::function<std::string(const std::string& path)>;

// The message for the pictures (full paths); names only, at most a screenful.
std::string PictureFailureText(const std::vector<std::string>& paths, const PictureNamer& name = nullptr);
// Shows the pictures noted since the last call and never told; nothing when
// there are none.
void TellUntoldPictureFailures(HWND owner, const PictureNamer& name = nullptr);

// Texts past the memory the page's texts may hold are drawn as boxes with a
// cross: told once per album, when the first of them was drawn.
constexpr char kTextPlaceholderText[] =
    "Alcuni testi non possono essere disegnati: sono pi\xF9 di quanti ne contenga la memoria riservata ai testi.\n"
    "Appaiono come riquadri con una croce; lo sposalbo li conserva invariati.";
void TellUntoldTextPlaceholders(HWND owner);

// An operation refused for lack of memory: the unused shared pictures go and
// the user reads why nothing happened.
void TellOutOfMemory(HWND owner, const char* text);

// Runs an editing operation; when it runs out of memory it is refused with
// the message (the operations leave the page as it was when they fail).
template <class Operation>
bool RunRefusingOutOfMemory(HWND owner, const char* text, Operation operation) {
  try {
    operation();
    return true;
  } catch (const std::bad_alloc&) {
    TellOutOfMemory(owner, text);
    return false;
  }
}

#pragma once
// The album's folder on disk: made for a new album under a name the user typed,
// and removed again only when it really is an album folder.
#include <string>

// The project file every album folder holds.
extern const char kProjectFileName[];

// True when the name can be a folder name as it stands: a single file name
// (see PathNames.h), so no trailing dot or space, which the file system would
// drop, giving another folder.
bool IsValidAlbumFolderName(const std::string& name);

// Creates parent\name, or parent\name_1 ... parent\name_1000 when the earlier
// ones exist, with its "img" and "rif" folders. The created folder in
// createdFolder; false when the name is not valid or no folder could be made.
bool CreateAlbumFolder(const std::string& parent, const std::string& name,
                       std::string& createdFolder);

// Removes the empty folder tree CreateAlbumFolder made (img, rif, the folder);
// anything put in it since stays.
void RemoveEmptyAlbumFolder(const std::string& folder);

// True for "C:", "C:\", "\", "\\server\share" and the like.
bool IsDriveRoot(const std::string& path);

// True when the folder exists and holds a project file.
bool HoldsAlbum(const std::string& folder);

// Removes the files the program keeps in every album folder (the project
// file, its lock, the image list, and what an interrupted write left beside
// them), then "img", "rif" and the album folder, each once empty: whatever
// else was put there stays, with the folders that hold it. The photos' own
// files go first (see CMImageList::DeleteFiles). Refuses (false, nothing
// touched) an empty path, a drive root or a folder that holds no album; true
// when the program's files are gone.
bool RemoveAlbumFolder(const std::string& folder);

// The last component of a folder path, trailing separators ignored.
std::string FolderLastName(const std::string& folder);

#pragma once
// The list of photos on a laboratory CD ("cd.xml" in the CD's root folder) and the
// key that names the CD. Read only: the program never writes a cd.xml.
#include <memory>
#include <string>
#include <vector>

namespace cd_imagelist {

class CCDImg {
 public:
  virtual ~CCDImg() = default;
  std::string nome;  // the photo's path relative to the CD folder
};

class CCDImageList {
 public:
  virtual ~CCDImageList() = default;

  // Reads "cd.xml" in the folder. Null when the file cannot be loaded or has no
  // root element. Entries whose name is not a relative path inside the CD folder
  // are left out, so the list can never make the program read elsewhere; their
  // names are kept in `refused` for the user to be told.
  static std::unique_ptr<CCDImageList> Load(const char* cdFolder);

  std::vector<std::unique_ptr<CCDImg>> images;  // in file order
  std::string cdKey;
  std::vector<std::string> refused;  // names left out, in file order
};

}  // namespace cd_imagelist

// The album benchmark's hands in the Windows world (tools/bench-album runs it
// under Wine beside the real editor):
//   bench_editor photos <folder> <count>      camera-size JPEGs (6000 x 4000)
//   bench_editor limit <folder>                the machine's limit of an import:
//                                              libjpeg's scaled decode of each
//                                              photo and the 1024-pixel copy's
//                                              encode, seconds a photo
//   bench_editor import <album folder> <folder>
//                                              the folder's photos imported
//                                              through the album image list as
//                                              File > Carica immagini does after
//                                              its file dialog;
//                                              seconds a photo
//   bench_editor remake <album folder>         the working copies of an album
//                                              whose img folder is gone, made
//                                              again as File > Apri makes them;
//                                              seconds a photo
//   bench_editor catchup <album folder>        the look at every photo's files the
//                                              editor takes when the user comes
//                                              back to it, on an album nobody
//                                              changed: the median milliseconds
//                                              of ten
//   bench_editor album <project> <spreads> <photos> [<objects on spread 1>]
//                                              rewrites the album's pages with
//                                              its imported photos
//   bench_editor export <project> <destination>
//                                              the album's laboratory export
//                                              (Invia al laboratorio) into the
//                                              destination, sealed with a key
//                                              made for the run; seconds, and
//                                              processor seconds of all threads
//   bench_editor texts <project> <count>      <count> texts added to the album's
//                                              first page, the album loaded and
//                                              its page drawn as the page
//                                              surface draws it: seconds of the
//                                              load, of the first frame (which
//                                              builds the texts), the median
//                                              milliseconds of a frame after it
//                                              and the bytes a text held once read
//   bench_editor drive <project> <frame log> [<editor's Unix process id>]
//                                              File > Open, ten seconds with
//                                              nobody at the editor (once the
//                                              work the open started is done,
//                                              seen from the process id),
//                                              every spread paged through, undo
//                                              and redo timed on the last spread,
//                                              and File > Salva; prints each
//                                              phase, the rest and each spread
//                                              shown with wall-clock milliseconds
#include <windows.h>

#include <cstdio>
#include <cstdlib>
// After <cstdio>: the codec's header names FILE.
#include <jpeglib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EditorDriving.h"
#include "app/support/GeneratedAlbum.h"
#include "app/support/ProcessMemory.h"
#include "app/resource.h"
#include "framework/ids.h"
#include "framework/scripted_ui.h"
#include "document/LabKeys.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/OutsideEdits.h"
#include "document/imagelist/WorkingCopyRemakes.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/CryptoEngine.h"
#include "framework/com_ref.h"
#include "imagelib/ImgBitmap.h"
#include "render/D3DObj.h"
#include "render/PictureCache.h"

namespace {
long long NowMs() {
  FILETIME ft;
  ::GetSystemTimeAsFileTime(&ft);
  const unsigned long long t = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<long long>(t / 10000ULL - 11644473600000ULL);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  ::QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return t;
}

std::vector<std::string> Photos(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = ::FindFirstFileA((folder + "\\*.jpg").c_str(), &entry);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(find, &entry)) names.push_back(entry.cFileName);
  if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// Gradients with a fine texture, different in every photo, so the files
// weigh what camera photos weigh.
int MakePhotos(const std::string& folder, int count) {
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const int width = 6000, height = 4000;
  CImgBitmap photo;
  if (!photo.Create(width, height, false)) return 1;
  IplImage* image = photo.GetIplImage();
  for (int n = 0; n < count; ++n) {
    for (int y = 0; y < height; ++y) {
      unsigned char* row = reinterpret_cast<unsigned char*>(image->imageData) + static_cast<size_t>(y) * image->widthStep;
      for (int x = 0; x < width; ++x) {
        const unsigned noise = (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u) >> 27;
        row[x * 3 + 0] = static_cast<unsigned char>((x * 255 / width + n * 37 + noise) & 0xFF);
        row[x * 3 + 1] = static_cast<unsigned char>((y * 255 / height + n * 71 + noise) & 0xFF);
        row[x * 3 + 2] = static_cast<unsigned char>(((x + y) * 128 / (width + height) + n * 13 + noise) & 0xFF);
      }
    }
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s\\foto%03d.jpg", folder.c_str(), n + 1);
    if (!photo.Save(name, IMG_FORMAT_JPEG, 0, 92)) return 1;
  }
  return 0;
}

// What no import can beat: libjpeg decoding each photo at the largest
// reduction that still gives 1024 pixels, and encoding a 1024-pixel copy.
int MeasureLimit(const std::string& folder) {
  const std::vector<std::string> names = Photos(folder);
  if (names.empty()) return 1;
  const LARGE_INTEGER start = Now();
  std::vector<unsigned char> pixels;
  for (const std::string& name : names) {
    FILE* in = std::fopen((folder + "\\" + name).c_str(), "rb");
    if (!in) return 1;
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, in);
    jpeg_read_header(&d, TRUE);
    const unsigned longer = std::max(d.image_width, d.image_height);
    unsigned denom = 8;
    while (denom > 1 && longer / denom < 1024) denom /= 2;
    d.scale_num = 1;
    d.scale_denom = denom;
    jpeg_start_decompress(&d);
    pixels.resize(static_cast<size_t>(d.output_width) * d.output_height * 3);
    while (d.output_scanline < d.output_height) {
      JSAMPROW row = pixels.data() + static_cast<size_t>(d.output_scanline) * d.output_width * 3;
      jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(in);

    jpeg_compress_struct c{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = 1024;
    c.image_height = 1024 * 2 / 3;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
      JSAMPROW row = pixels.data() + static_cast<size_t>(c.next_scanline) * std::min<unsigned>(c.image_width, 1024) * 3;
      jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::free(out);
  }
  std::printf("limit %.4f\n", Seconds(start, Now()) / static_cast<double>(names.size()));
  return 0;
}

int Import(const std::string& album, const std::string& folder) {
  auto list = spab_imagelist::CMImageList::Load(album.c_str(), false);
  if (!list) return 1;
  const std::vector<std::string> names = Photos(folder);
  const LARGE_INTEGER start = Now();
  for (const std::string& name : names) list->AddFromFile((folder + "\\" + name).c_str(), album.c_str());
  list->Save(album.c_str(), false);
  std::printf("import %.4f %zu\n", Seconds(start, Now()) / static_cast<double>(names.size()), names.size());
  return 0;
}

// Processor time of this process over all its threads (user and kernel).
double ProcessorSeconds() {
  FILETIME created, ended, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0;
  const auto ticks = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) / 1e7;
}

int Export(const std::string& project, const std::string& destination) {
  // A question would wait for nobody: refused, and the export's failure printed.
  CScriptedUi ui;
  lab_test::Laboratory lab;
  ::CreateDirectoryA(destination.c_str(), nullptr);
  const std::string key = destination + "\\public.key";
  lab_test::WriteBytes(key, lab.PublicKeyBlob());
  CCryptoEngine seal;
  if (!lab.Ready() || !seal.AcquireContext() || !seal.ImportPublicKey(key.c_str())) return 1;
  CSposalboDoc album(project, nullptr);
  auto list = spab_imagelist::CMImageList::Load(album.GetFolder().c_str(), false);
  if (!list) return 1;
  album.GetRoot()->SetImageList(std::move(list));
  const LARGE_INTEGER start = Now();
  const double processorBefore = ProcessorSeconds();
  const bool written = album.ExportForLab(destination, seal);
  const double seconds = Seconds(start, Now());
  const double processor = ProcessorSeconds() - processorBefore;
  if (!written) {
    std::fprintf(stderr, "export failed: %s\n", album.GetLastExportError().c_str());
    return 1;
  }
  std::printf("export %.3f %.3f\n", seconds, processor);
  return 0;
}

void WaitIdle(HWND editor) {
  DWORD_PTR result = 0;
  while (!::SendMessageTimeoutA(editor, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result)) {
  }
}

// Lines "<tick> <page>" the editor appended; the tick of the first line for
// the page after `since`, or 0 while there is none.
DWORD PageShown(const std::string& log, int page, DWORD since) {
  std::ifstream in(log);
  unsigned long tick = 0;
  int index = 0;
  while (in >> tick >> index)
    if (index == page && tick >= since) return static_cast<DWORD>(tick);
  return 0;
}

DWORD WaitPageShown(const std::string& log, int page, DWORD since) {
  for (int i = 0; i < 6000; ++i) {
    if (DWORD tick = PageShown(log, page, since)) return tick;
    ::Sleep(5);
  }
  return 0;
}

// Seconds from a command to the spread shown with it, over several steps.
struct StepTimes {
  double total = 0, worst = 0;
  int count = 0;
  void Add(DWORD asked, DWORD shown) {
    const double s = (shown - asked) / 1000.0;
    total += s;
    worst = std::max(worst, s);
    ++count;
  }
  // "<name> <mean> <worst> <steps>", nothing without a step.
  void Print(const char* name) const {
    if (count > 0) std::printf("%s %.3f %.3f %d\n", name, total / count, worst, count);
  }
};

// Undo and redo on the spread shown: three changes of the whole spread
// (a rotation each, the first after selecting everything), then each undone
// and redone in turn, every step timed from the command to the spread shown
// with it. Prints "undo <mean> <worst>" and "redo <mean> <worst>" in seconds.
void MeasureUndoRedo(HWND editor, const std::string& log, int page) {
  const auto command = [editor](UINT id) { ::SendMessageA(editor, WM_COMMAND, MAKEWPARAM(id, 0), 0); };
  command(ID_SELECT_ALL);
  // A change keeps the page object: the log has no line for it. A few
  // frames' time lets it be drawn.
  for (UINT change : {ID_ROTATE_10, ID_ROTATE_45, ID_ROTATE_NONE}) {
    command(change);
    WaitIdle(editor);
    ::Sleep(300);
  }
  for (UINT step : {ID_EDIT_UNDO, ID_EDIT_REDO}) {
    StepTimes times;
    for (int i = 0; i < 3; ++i) {
      const DWORD asked = ::GetTickCount();
      command(step);
      const DWORD shown = WaitPageShown(log, page, asked);
      if (!shown) break;
      times.Add(asked, shown);
      WaitIdle(editor);
    }
    times.Print(step == ID_EDIT_UNDO ? "undo" : "redo");
  }
}

// Processor time a Linux process has used, in clock ticks (user and system),
// read from /proc through Wine's drive Z:; -1 when it cannot be read.
long long ProcessTicks(int unixPid) {
  char path[64];
  std::snprintf(path, sizeof path, "Z:\\proc\\%d\\stat", unixPid);
  std::ifstream in(path);
  std::string line;
  if (!std::getline(in, line)) return -1;
  // The fields after the command name, which is in parentheses: state is
  // the 3rd field, user and system time the 14th and 15th.
  const size_t close = line.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  long long user = -1, system = -1;
  for (int n = 3; n <= 15 && fields >> field; ++n) {
    if (n == 14) user = std::atoll(field.c_str());
    if (n == 15) system = std::atoll(field.c_str());
  }
  return user < 0 || system < 0 ? -1 : user + system;
}

// Waits, at most half a minute, until the editor used less than a tenth of
// a core over a second: the work the open started (the page bar drawing
// each page) is done. Linux counts 100 clock ticks a second.
void WaitForQuiet(int unixPid) {
  long long before = ProcessTicks(unixPid);
  for (int second = 0; second < 30 && before >= 0; ++second) {
    ::Sleep(1000);
    const long long now = ProcessTicks(unixPid);
    if (now >= 0 && now - before < 10) return;
    before = now;
  }
}

// The editor left alone with the album open: the script reads how much of a
// core it used between the two times printed.
void RestWithAlbumOpen(HWND editor, int unixPid) {
  if (unixPid > 0) WaitForQuiet(unixPid);
  WaitIdle(editor);
  const long long from = NowMs();
  ::Sleep(10000);
  std::printf("rest %lld %lld\n", from, NowMs());
}

int Drive(const std::string& project, const std::string& log, int unixPid) {
  HWND editor = nullptr;
  for (int i = 0; i < 600 && !editor; ++i, ::Sleep(100)) editor = ::FindWindowA(nullptr, "Lumivo");
  if (!editor) return 1;
  WaitIdle(editor);
  ::Sleep(1000);
  std::printf("phase open %lld\n", NowMs());
  ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(ID_ALBUM_OPEN, 0), 0);
  HWND dialog = WaitForOwnedDialog(editor, 30);
  if (!dialog) return 1;
  // Counted from the dialog's OK.
  AnswerFileDialog(dialog, project.c_str());
  const DWORD opened = ::GetTickCount();
  const DWORD first = WaitPageShown(log, 0, opened);
  if (!first) return 1;
  std::printf("open %.3f\n", (first - opened) / 1000.0);
  // The page bar's pictures follow the open; paging starts once they are done.
  WaitIdle(editor);
  ::Sleep(3000);
  RestWithAlbumOpen(editor, unixPid);
  WaitIdle(editor);
  std::printf("phase paging %lld\n", NowMs());
  std::printf("spread 0 %lld\n", NowMs());
  StepTimes paging;
  for (int page = 1;; ++page) {
    const DWORD asked = ::GetTickCount();
    ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(ID_PAGE_NEXT, 0), 0);
    const DWORD shown = WaitPageShown(log, page, asked);
    if (!shown) break;
    paging.Add(asked, shown);
    WaitIdle(editor);
    // The memory of the process with this spread on screen.
    ::Sleep(150);
    std::printf("spread %d %lld\n", page, NowMs());
  }
  paging.Print("next");
  std::printf("phase undo %lld\n", NowMs());
  MeasureUndoRedo(editor, log, paging.count);
  std::printf("phase save %lld\n", NowMs());
  ::SendMessageA(editor, WM_COMMAND, MAKEWPARAM(ID_ALBUM_SAVE, 0), 0);
  WaitIdle(editor);
  std::printf("phase end %lld\n", NowMs());
  ::PostMessageA(editor, WM_CLOSE, 0, 0);
  return 0;
}

// Waits until the device has drawn everything asked of it: a frame's time
// is the drawing's, not only the asking's.
void WaitForDrawing(IDirect3DDevice9* device) {
  ComRef<IDirect3DQuery9> done;
  if (FAILED(device->CreateQuery(D3DQUERYTYPE_EVENT, done.Out()))) return;
  done->Issue(D3DISSUE_END);
  while (done->GetData(nullptr, 0, D3DGETDATA_FLUSH) == S_FALSE) {
  }
}

int MeasureTextFrames(const std::string& project, int count) {
  if (!AddTextsToCurrentPage(project, count)) return 1;
  // The size of the editor's page on a common screen.
  HWND window = ::CreateWindowExA(0, "STATIC", "texts", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 600, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
  if (!window) return 1;
  int result = 1;
  {
    CD3DObj view;
    view.CreateDevice(window, false);
    IDirect3DDevice9* device = view.GetDevice();
    const size_t heldBefore = CommittedPrivateBytes();
    const LARGE_INTEGER start = Now();
    auto album = device ? treeNode::CSposalboTreeNode::Load(project, &view) : nullptr;
    treeNode::CPaginaTreeNode* page = album ? album->GetCurrentPage() : nullptr;
    if (page) {
      const double load = Seconds(start, Now());
      // What a text costs once read, before any is drawn (the file read counts too).
      const double bytesEach = (static_cast<double>(CommittedPrivateBytes()) - heldBefore) / count;
      const auto frame = [&] {
        const LARGE_INTEGER from = Now();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFDCDCDC, 1.0f, 0);
        if (SUCCEEDED(device->BeginScene())) {
          PictureFileLook look;
          page->Render(0);
          device->EndScene();
        }
        view.ShowBackBuffer();
        WaitForDrawing(device);
        return Seconds(from, Now());
      };
      const double first = frame();
      std::vector<double> frames;
      for (int i = 0; i < 7; ++i) frames.push_back(frame());
      std::sort(frames.begin(), frames.end());
      std::printf("texts %d %.3f %.3f %.1f %.0f\n", count, load, first, frames[frames.size() / 2] * 1000.0,
                  bytesEach);
      result = 0;
    }
  }
  ::DestroyWindow(window);
  return result;
}

int Remake(const std::string& album) {
  auto list = spab_imagelist::CMImageList::Load(album.c_str(), false);
  if (!list) return 1;
  const LARGE_INTEGER start = Now();
  std::vector<WorkingCopyRemake> remakes = FindOutsideEdits(*list, album).remakes;
  const size_t count = remakes.size();
  if (count == 0) return 1;
  size_t remade = 0;
  for (const WorkingCopyRemake& remake : CWorkingCopyRemakes(std::move(remakes)).Wait())
    remade += remake.result == RemakeResult::kWritten;
  std::printf("remake %.4f %zu %zu\n", Seconds(start, Now()) / static_cast<double>(count), count, remade);
  return remade == count ? 0 : 1;
}

int CatchUp(const std::string& album) {
  auto list = spab_imagelist::CMImageList::Load(album.c_str(), false);
  if (!list) return 1;
  // The first look takes what an older list lacks; the user comes back later.
  if (!CatchUpOutsideEdits(*list, album).empty()) return 1;
  std::vector<double> looks;
  for (int i = 0; i < 10; ++i) {
    const LARGE_INTEGER start = Now();
    if (!CatchUpOutsideEdits(*list, album).empty()) return 1;
    looks.push_back(Seconds(start, Now()) * 1000.0);
  }
  std::sort(looks.begin(), looks.end());
  std::printf("catchup %.2f %zu\n", looks[looks.size() / 2], list->GetImages().size());
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "photos" && argc == 4) return MakePhotos(argv[2], std::atoi(argv[3]));
  if (command == "limit" && argc == 3) return MeasureLimit(argv[2]);
  if (command == "import" && argc == 4) return Import(argv[2], argv[3]);
  if (command == "remake" && argc == 3) return Remake(argv[2]);
  if (command == "catchup" && argc == 3) return CatchUp(argv[2]);
  if (command == "export" && argc == 4) return Export(argv[2], argv[3]);
  if (command == "album" && argc >= 5)
    return RewriteAlbumPages(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argc > 5 ? std::atoi(argv[5]) : 0) ? 0 : 1;
  if (command == "texts" && argc == 4) return MeasureTextFrames(argv[2], std::atoi(argv[3]));
  if (command == "drive" && (argc == 4 || argc == 5)) {
    const int result = Drive(argv[2], argv[3], argc == 5 ? std::atoi(argv[4]) : 0);
    std::fflush(stdout);
    return result;
  }
  std::fprintf(stderr, "usage: see the head of bench_editor.cpp\n");
  return 2;
}

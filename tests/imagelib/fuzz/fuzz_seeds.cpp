// Writes small valid files of every format into <folder>/<format>/ as seeds
// for the fuzz targets.
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "TestPictures.h"
#include "imagelib/ByteSink.h"
#include "imagelib/ByteSource.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/ProtectedJpeg.h"
#include "imagelib/ThumbnailTrailer.h"
#include "imagelib/TiffCodec.h"

using namespace imgtest;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    auto put = [&](const std::string& format, const std::string& name, const Bytes& bytes) {
        mkdir(root.c_str(), 0755);
        mkdir((root + "/" + format).c_str(), 0755);
        WriteFile(root + "/" + format + "/" + name, bytes);
    };
    Picture p;
    const BmpKind bmps[] = {BmpKind::Rgb24, BmpKind::Alpha32V5, BmpKind::Bits565, BmpKind::Pal8, BmpKind::Pal1,
                            BmpKind::Rle8, BmpKind::Rle4, BmpKind::Core24};
    int i = 0;
    for (BmpKind k : bmps) put("bmp", std::to_string(i++), MakeBmp(k, 13, 7, p));
    const PcxKind pcxs[] = {PcxKind::Pal8, PcxKind::Planes24, PcxKind::Planes32, PcxKind::Mono, PcxKind::Ega16};
    for (PcxKind k : pcxs) put("pcx", std::to_string(i++), MakePcx(k, 13, 7, p));
    const TgaKind tgas[] = {{1, 8, false, false}, {9, 8, true, false}, {2, 16, true, true},
                            {10, 32, false, true}, {11, 8, false, false}, {2, 32, false, true, true}};
    for (const TgaKind& k : tgas) put("tga", std::to_string(i++), MakeTga(k, 13, 7, p));
    put("photocd", "base", MakePhotoCd(p));
    Picture q = Pattern(13, 7, true);
    img::VectorSink jpeg, protectedJpeg, grey;
    img::EncodeJpeg(RasterOf(q), img::JpegContent::Colour, 80, jpeg);
    img::EncodeJpeg(RasterOf(q), img::JpegContent::Alpha, 80, grey);
    img::EncodeProtectedJpeg(RasterOf(q), 80, protectedJpeg);
    put("jpeg", "colour", jpeg.bytes);
    put("jpeg", "grey", grey.bytes);
    put("protected", "colour", protectedJpeg.bytes);
    img::EncodeTiff(RasterOf(q), root + "/seed.tif");
    put("tiff", "rgba", ReadFile(root + "/seed.tif"));
    std::remove((root + "/seed.tif").c_str());
    Bytes original = MakeBmp(BmpKind::Rgb24, 13, 7, p);
    img::MemorySource source(original);
    std::vector<uint8_t> trailer;
    img::BuildTrailer(RasterOf(q), source, trailer);
    original.insert(original.end(), trailer.begin(), trailer.end());
    put("trailer", "bmp", original);
    return 0;
}

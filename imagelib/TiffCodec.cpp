#include "imagelib/TiffCodec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "imagelib/ImgWarning.h"
#include "imagelib/RowReducer.h"

namespace img {

namespace {

// libtiff's handlers are the process's, not a file's: a decode counts the
// reports made on its own thread while it runs.
thread_local unsigned t_reports = 0;

void Report(const char* module, const char* format, va_list args) {
    ++t_reports;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    ImgWarning(module ? std::string(module) + ": " + text : std::string(text));
}

// libtiff's handlers are process-wide; the default ones would write to
// standard error (and on Windows open a message box).
void InstallHandlers() {
    static const bool installed = [] {
        TIFFSetWarningHandler(Report);
        TIFFSetErrorHandler(Report);
        return true;
    }();
    (void)installed;
}

TiffDecoder* DecoderOf(thandle_t h) { return static_cast<TiffDecoder*>(h); }

tmsize_t ReadProc(thandle_t h, void* data, tmsize_t size) {
    TiffDecoder* d = DecoderOf(h);
    if (size <= 0) return 0;
    size_t got = d->Source().ReadAt(d->position, data, static_cast<size_t>(size));
    d->position += got;
    return static_cast<tmsize_t>(got);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return -1; }

toff_t SeekProc(thandle_t h, toff_t offset, int whence) {
    TiffDecoder* d = DecoderOf(h);
    uint64_t base = whence == SEEK_CUR ? d->position : whence == SEEK_END ? d->Source().Size() : 0;
    d->position = base + offset;
    return d->position;
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t h) { return DecoderOf(h)->Source().Size(); }

int MapProc(thandle_t, void**, toff_t*) { return 0; }

void UnmapProc(thandle_t, void*, toff_t) {}

TIFF* AsTiff(void* p) { return static_cast<TIFF*>(p); }

uint8_t Unpremultiply(uint32_t value, uint32_t alpha) {
    if (alpha == 0) return 0;
    return static_cast<uint8_t>(std::min<uint32_t>(255, (value * 255 + alpha / 2) / alpha));
}

}  // namespace

TiffDecoder::~TiffDecoder() {
    if (tiff_) TIFFClose(AsTiff(tiff_));
}

bool TiffDecoder::Probe(ByteSource& source) {
    uint8_t m[4];
    if (source.ReadAt(0, m, 4) != 4) return false;
    bool little = m[0] == 'I' && m[1] == 'I' && (m[2] == 42 || m[2] == 43) && m[3] == 0;
    bool big = m[0] == 'M' && m[1] == 'M' && m[2] == 0 && (m[3] == 42 || m[3] == 43);
    return little || big;
}

bool TiffDecoder::ReadInfo(ImageInfo& info) {
    InstallHandlers();
    if (tiff_ || !Probe(source_)) return false;
    position = 0;
    // "m": no memory mapping, everything goes through ReadProc.
    tiff_ = TIFFClientOpen("picture", "rm", this, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                           UnmapProc);
    if (!tiff_) return false;
    TIFF* t = AsTiff(tiff_);
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, planar = PLANARCONFIG_CONTIG;
    if (!TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(t, TIFFTAG_IMAGELENGTH, &height)) return false;
    if (!IsValidSide(width) || !IsValidSide(height)) return false;
    TIFFGetFieldDefaulted(t, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLESPERPIXEL, &samples_);
    TIFFGetFieldDefaulted(t, TIFFTAG_PLANARCONFIG, &planar);
    if (!TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &photometric_)) photometric_ = PHOTOMETRIC_MINISBLACK;
    uint16_t extraCount = 0;
    uint16_t* extraKinds = nullptr;
    alphaKind_ = 0;  // an extra sample of no stated meaning is not alpha
    if (TIFFGetField(t, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds) && extraCount > 0) alphaKind_ = extraKinds[0];

    char message[1024];
    if (!TIFFRGBAImageOK(t, message)) {
        ImgWarning(message);
        return false;
    }
    uint16_t colourSamples = photometric_ == PHOTOMETRIC_RGB ? 3 : 1;
    bool hasAlphaSample = samples_ == colourSamples + 1 &&
                          (alphaKind_ == EXTRASAMPLE_ASSOCALPHA || alphaKind_ == EXTRASAMPLE_UNASSALPHA);
    bool simplePhotometric = photometric_ == PHOTOMETRIC_RGB || photometric_ == PHOTOMETRIC_MINISBLACK ||
                             photometric_ == PHOTOMETRIC_MINISWHITE || photometric_ == PHOTOMETRIC_PALETTE;
    contiguousLayout_ = bits == 8 && planar == PLANARCONFIG_CONTIG && simplePhotometric &&
                      samples_ >= colourSamples && (photometric_ != PHOTOMETRIC_PALETTE || samples_ == 1);
    info_.width = static_cast<int32_t>(width);
    info_.height = static_cast<int32_t>(height);
    info_.hasAlpha = hasAlphaSample;
    info = info_;
    return true;
}

bool TiffDecoder::Decode(const Raster& target, int32_t reduction) {
    if (!tiff_) return false;
    const unsigned reportsBefore = t_reports;
    RowReducer reducer(target, info_.width, info_.height, reduction);
    bool ok = contiguousLayout_ ? DecodeContiguous(reducer) : DecodeThroughRgba(reducer);
    reducer.Finish();
    complained_ = t_reports != reportsBefore;
    return ok;
}

void TiffDecoder::ConvertSamples(const uint8_t* line, uint8_t* bgra) const {
    const bool rgb = photometric_ == PHOTOMETRIC_RGB;
    const int alphaIndex = info_.hasAlpha ? (rgb ? 3 : 1) : -1;
    for (int32_t x = 0; x < info_.width; ++x) {
        const uint8_t* p = &line[static_cast<size_t>(x) * samples_];
        uint8_t* out = &bgra[static_cast<size_t>(x) * 4];
        uint32_t a = alphaIndex >= 0 ? p[alphaIndex] : 255;
        if (rgb) {
            out[0] = p[2];
            out[1] = p[1];
            out[2] = p[0];
        } else if (photometric_ == PHOTOMETRIC_PALETTE) {
            out[0] = static_cast<uint8_t>(mapB_[p[0]] >> 8);
            out[1] = static_cast<uint8_t>(mapG_[p[0]] >> 8);
            out[2] = static_cast<uint8_t>(mapR_[p[0]] >> 8);
        } else {
            uint8_t v = photometric_ == PHOTOMETRIC_MINISWHITE ? static_cast<uint8_t>(255 - p[0]) : p[0];
            out[0] = out[1] = out[2] = v;
        }
        if (alphaKind_ == EXTRASAMPLE_ASSOCALPHA && info_.hasAlpha) {
            for (int c = 0; c < 3; ++c) out[c] = Unpremultiply(out[c], a);
        }
        out[3] = static_cast<uint8_t>(a);
    }
}

// 8-bit contiguous samples, read a strip row or a band of tiles at a time
// into our own buffers.
bool TiffDecoder::DecodeContiguous(RowReducer& reducer) {
    TIFF* t = AsTiff(tiff_);
    if (photometric_ == PHOTOMETRIC_PALETTE && !TIFFGetField(t, TIFFTAG_COLORMAP, &mapR_, &mapG_, &mapB_)) return false;
    const size_t lineBytes = static_cast<size_t>(info_.width) * samples_;
    std::vector<uint8_t> bgra(static_cast<size_t>(info_.width) * 4);
    if (!TIFFIsTiled(t)) {
        tmsize_t scanline = TIFFScanlineSize(t);
        if (scanline < static_cast<tmsize_t>(lineBytes)) return false;
        std::vector<uint8_t> line(static_cast<size_t>(scanline));
        for (int32_t y = 0; y < info_.height; ++y) {
            if (TIFFReadScanline(t, line.data(), static_cast<uint32_t>(y), 0) < 0) return false;
            ConvertSamples(line.data(), bgra.data());
            reducer.PutRow(y, bgra.data());
        }
        return true;
    }
    uint32_t tileW = 0, tileH = 0;
    TIFFGetField(t, TIFFTAG_TILEWIDTH, &tileW);
    TIFFGetField(t, TIFFTAG_TILELENGTH, &tileH);
    const tmsize_t tileSize = TIFFTileSize(t);
    if (tileW == 0 || tileH == 0 || tileH > static_cast<uint32_t>(kMaxSide) || tileW > static_cast<uint32_t>(kMaxSide) ||
        static_cast<uint64_t>(tileSize) < uint64_t{tileW} * tileH * samples_)
        return false;
    std::vector<uint8_t> tile(static_cast<size_t>(tileSize));
    std::vector<uint8_t> band(lineBytes * tileH);
    const auto width = static_cast<uint32_t>(info_.width);
    for (uint32_t y0 = 0; y0 < static_cast<uint32_t>(info_.height); y0 += tileH) {
        const uint32_t rows = std::min(tileH, static_cast<uint32_t>(info_.height) - y0);
        for (uint32_t x0 = 0; x0 < width; x0 += tileW) {
            if (TIFFReadTile(t, tile.data(), x0, y0, 0, 0) < 0) return false;
            const size_t columns = std::min(tileW, width - x0);
            for (uint32_t r = 0; r < rows; ++r) {
                std::copy_n(&tile[static_cast<size_t>(r) * tileW * samples_], columns * samples_,
                            &band[r * lineBytes + static_cast<size_t>(x0) * samples_]);
            }
        }
        for (uint32_t r = 0; r < rows; ++r) {
            ConvertSamples(&band[r * lineBytes], bgra.data());
            reducer.PutRow(static_cast<int32_t>(y0 + r), bgra.data());
        }
    }
    return true;
}

// libtiff's RGBA reader, a band of rows at a time (never the whole picture).
// It hands back associated alpha: divided out again here.
bool TiffDecoder::DecodeThroughRgba(RowReducer& reducer) {
    TIFF* t = AsTiff(tiff_);
    char message[1024];
    TIFFRGBAImage image;
    if (!TIFFRGBAImageBegin(&image, t, 0, message)) {
        ImgWarning(message);
        return false;
    }
    image.req_orientation = ORIENTATION_TOPLEFT;
    const int32_t band = 64;
    const int32_t w = info_.width;
    std::vector<uint32_t> raster(static_cast<size_t>(w) * band);
    std::vector<uint8_t> bgra(static_cast<size_t>(w) * 4);
    bool ok = true;
    for (int32_t y0 = 0; y0 < info_.height && ok; y0 += band) {
        int32_t rows = std::min(band, info_.height - y0);
        image.row_offset = y0;
        image.col_offset = 0;
        ok = TIFFRGBAImageGet(&image, raster.data(), static_cast<uint32_t>(w), static_cast<uint32_t>(rows)) != 0;
        for (int32_t r = 0; r < rows && ok; ++r) {
            for (int32_t x = 0; x < w; ++x) {
                uint32_t px = raster[static_cast<size_t>(r) * w + x];
                uint32_t a = info_.hasAlpha ? TIFFGetA(px) : 255;
                uint8_t* out = &bgra[static_cast<size_t>(x) * 4];
                out[0] = info_.hasAlpha ? Unpremultiply(TIFFGetB(px), a) : static_cast<uint8_t>(TIFFGetB(px));
                out[1] = info_.hasAlpha ? Unpremultiply(TIFFGetG(px), a) : static_cast<uint8_t>(TIFFGetG(px));
                out[2] = info_.hasAlpha ? Unpremultiply(TIFFGetR(px), a) : static_cast<uint8_t>(TIFFGetR(px));
                out[3] = static_cast<uint8_t>(a);
            }
            reducer.PutRow(y0 + r, bgra.data());
        }
    }
    TIFFRGBAImageEnd(&image);
    return ok;
}

bool EncodeTiff(const Raster& source, const std::string& path) {
    InstallHandlers();
    if (!IsValidSide(source.width) || !IsValidSide(source.height)) return false;
    if (source.channels != 3 && source.channels != 4) return false;
    TIFF* t = TIFFOpen(path.c_str(), "w");
    if (!t) return false;
    const uint16_t samples = static_cast<uint16_t>(source.channels);
    bool ok = TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(source.width)) &&
              TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(source.height)) &&
              TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8) && TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples) &&
              TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
              TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    if (ok && samples == 4) {
        uint16_t kinds[1] = {EXTRASAMPLE_UNASSALPHA};
        ok = TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, kinds) != 0;
    }
    std::vector<uint8_t> line(static_cast<size_t>(source.width) * samples);
    for (int32_t y = 0; y < source.height && ok; ++y) {
        const uint8_t* p = source.Row(y);
        for (int32_t x = 0; x < source.width; ++x, p += samples) {
            uint8_t* q = &line[static_cast<size_t>(x) * samples];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
            if (samples == 4) q[3] = p[3];
        }
        ok = TIFFWriteScanline(t, line.data(), static_cast<uint32_t>(y), 0) >= 0;
    }
    if (ok) ok = TIFFFlush(t) != 0;
    TIFFClose(t);
    if (!ok) std::remove(path.c_str());
    return ok;
}

}  // namespace img

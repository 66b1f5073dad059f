// Previews of a 4000 x 3000 JPEG at 256 and 1024 pixels: the first time (the
// picture decoded and its thumbnail trailer written) and later (read from the
// trailer), each beside libjpeg's own scaled decode of the same file, the way
// its command-line decoder scales (1/8 for 256, 1/4 for 1024), the two timed
// in turns. The counter "x_libjpeg" is the preview's median time over that
// decode's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "imagelib/ByteSink.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/PreviewLoader.h"
#include "imagelib/Raster.h"

namespace {

const char* kPristine = "imagelib_bench_pristine.jpg";
const char* kWork = "imagelib_bench_work.jpg";

void WriteAll(const char* path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A photograph-like 4000 x 3000 JPEG (smooth gradients with texture), made once.
const std::vector<uint8_t>& PristineJpeg() {
    static const std::vector<uint8_t> bytes = [] {
        img::OwnedRaster picture(4000, 3000, 3);
        for (int32_t y = 0; y < 3000; ++y) {
            uint8_t* row = picture.View().Row(y);
            for (int32_t x = 0; x < 4000; ++x) {
                row[3 * x] = static_cast<uint8_t>(x / 16);
                row[3 * x + 1] = static_cast<uint8_t>(y / 12);
                row[3 * x + 2] = static_cast<uint8_t>((x * y / 97 + (x ^ y)) & 0xFF);
            }
        }
        img::VectorSink sink;
        img::EncodeJpeg(picture.View(), img::JpegContent::Colour, 90, sink);
        WriteAll(kPristine, sink.bytes);
        return sink.bytes;
    }();
    return bytes;
}

bool Preview(const char* path, int32_t size) {
    img::PreviewRequest request;
    request.path = path;
    request.alphaMode = 1;
    request.useThumbnail = true;
    request.maxSize = size;
    img::OwnedRaster out;
    auto allocate = [&](int32_t w, int32_t h, bool alpha, img::Raster& raster) {
        out.Reset(w, h, alpha ? 4 : 3);
        raster = out.View();
        return true;
    };
    auto resize = [](const img::Raster&, const img::Raster&) { return false; };
    return img::LoadPreviewPicture(request, allocate, resize);
}

// libjpeg alone: decode the file at 1/denominator into a row buffer.
void LibjpegScaledDecode(const char* path, unsigned denominator) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = denominator;
    jpeg_start_decompress(&cinfo);
    std::vector<JSAMPLE> row(static_cast<size_t>(cinfo.output_width) * cinfo.output_components);
    JSAMPROW rows[1] = {row.data()};
    while (cinfo.output_scanline < cinfo.output_height) jpeg_read_scanlines(&cinfo, rows, 1);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
}

unsigned DenominatorFor(int32_t size) { return size <= 256 ? 8 : 4; }

double SecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// The preview and libjpeg's scaled decode of the same picture in turns, one
// of each per round (so a change in the machine's load touches both alike);
// 'prepare' runs before each preview, untimed. Reports the preview's median
// time and the counter x_libjpeg, the ratio of the two medians.
void PreviewBeside(benchmark::State& state, const std::function<void()>& prepare) {
    const int32_t size = static_cast<int32_t>(state.range(0));
    PristineJpeg();
    for (auto _ : state) {
        std::vector<double> own, theirs;
        for (int round = 0; round < 9; ++round) {
            prepare();
            own.push_back(SecondsOf([&] {
                if (!Preview(kWork, size)) state.SkipWithError("preview failed");
            }));
            theirs.push_back(SecondsOf([&] { LibjpegScaledDecode(kPristine, DenominatorFor(size)); }));
        }
        state.SetIterationTime(Median(own));
        state.counters["x_libjpeg"] = Median(own) / Median(theirs);
    }
}

void PreviewFirstTime(benchmark::State& state) {
    PreviewBeside(state, [] { WriteAll(kWork, PristineJpeg()); });  // no trailer yet
}

void PreviewFromTrailer(benchmark::State& state) {
    WriteAll(kWork, PristineJpeg());
    Preview(kWork, static_cast<int32_t>(state.range(0)));  // writes the trailer
    PreviewBeside(state, [] {});
}

void LibjpegScaled(benchmark::State& state) {
    PristineJpeg();
    const unsigned denominator = DenominatorFor(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) LibjpegScaledDecode(kPristine, denominator);
}

}  // namespace

BENCHMARK(PreviewFirstTime)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(PreviewFromTrailer)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(LibjpegScaled)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

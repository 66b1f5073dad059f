// Previews of a 4000 x 3000 JPEG at 256 and 1024 pixels: the first time (the
// picture decoded and its thumbnail trailer written) and later (read from the
// trailer), each beside libjpeg's own scaled decode of the same file, the way
// its command-line decoder scales (1/8 for 256, 1/4 for 1024). The counter
// "x_libjpeg" is the preview's time over that decode's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
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

double SecondsOf(void (*run)(const char*, unsigned), unsigned denominator) {
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        auto start = std::chrono::steady_clock::now();
        run(kPristine, denominator);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

unsigned DenominatorFor(int32_t size) { return size <= 256 ? 8 : 4; }

void PreviewFirstTime(benchmark::State& state) {
    const int32_t size = static_cast<int32_t>(state.range(0));
    PristineJpeg();
    double spent = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WriteAll(kWork, PristineJpeg());  // no trailer yet
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        if (!Preview(kWork, size)) state.SkipWithError("preview failed");
        spent += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["x_libjpeg"] =
        spent / static_cast<double>(state.iterations()) / SecondsOf(LibjpegScaledDecode, DenominatorFor(size));
}

void PreviewFromTrailer(benchmark::State& state) {
    const int32_t size = static_cast<int32_t>(state.range(0));
    WriteAll(kWork, PristineJpeg());
    Preview(kWork, size);  // writes the trailer
    double spent = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (!Preview(kWork, size)) state.SkipWithError("preview failed");
        spent += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["x_libjpeg"] =
        spent / static_cast<double>(state.iterations()) / SecondsOf(LibjpegScaledDecode, DenominatorFor(size));
}

void LibjpegScaled(benchmark::State& state) {
    PristineJpeg();
    const unsigned denominator = DenominatorFor(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) LibjpegScaledDecode(kPristine, denominator);
}

}  // namespace

BENCHMARK(PreviewFirstTime)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PreviewFromTrailer)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LibjpegScaled)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

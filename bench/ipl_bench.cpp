// The image operations against peer libraries, single-threaded, destination
// preallocated. Each case times every implementation itself (median of
// runs taken in turns) and reports the library's time, its megapixels per
// second, its speed relative to the fastest peer (above 1: faster) and the
// vector paths the library took. The processor's model and the vector
// features found go into the output's context.
#include "ipl/ipl.h"
#include "ipl/owncpu.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#ifdef SPAB_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif
#ifdef SPAB_BENCH_VIPS
#include <vips/vips.h>
#endif

namespace {

// The processor's model as the system names it.
std::string processorModel()
{
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line))
        if (line.compare(0, 10, "model name") == 0) {
            const size_t colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(line.find_first_not_of(" \t", colon + 1));
        }
    return "unknown";
}

// The vector extensions the processor offers and the level the library chose.
std::string vectorFeatures()
{
    std::string found;
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    __builtin_cpu_init();
    const struct {
        bool has;
        const char* name;
    } features[] = {
        {__builtin_cpu_supports("sse2") != 0, "sse2"},         {__builtin_cpu_supports("ssse3") != 0, "ssse3"},
        {__builtin_cpu_supports("sse4.1") != 0, "sse4.1"},     {__builtin_cpu_supports("avx") != 0, "avx"},
        {__builtin_cpu_supports("avx2") != 0, "avx2"},         {__builtin_cpu_supports("fma") != 0, "fma"},
        {__builtin_cpu_supports("avx512f") != 0, "avx512f"},   {__builtin_cpu_supports("avx512bw") != 0, "avx512bw"},
        {__builtin_cpu_supports("avx512vl") != 0, "avx512vl"},
    };
    for (const auto& f : features)
        if (f.has)
            found += std::string(found.empty() ? "" : " ") + f.name;
#endif
    return found + "; ipl dispatches to " + ownVectorLevelName(ownVectorLevel());
}

// The library's vector paths counted since 'before' was taken.
struct PathCounts {
    unsigned n[static_cast<int>(OwnFastPath::kCount)];
    PathCounts()
    {
        for (int i = 0; i < static_cast<int>(OwnFastPath::kCount); ++i)
            n[i] = ownFastPathCount(static_cast<OwnFastPath>(i));
    }
    std::string takenSince() const
    {
        std::string taken;
        for (int i = 0; i < static_cast<int>(OwnFastPath::kCount); ++i)
            if (ownFastPathCount(static_cast<OwnFastPath>(i)) > n[i])
                taken += std::string(taken.empty() ? "" : ", ") + ownFastPathName(static_cast<OwnFastPath>(i));
        return taken.empty() ? "the baseline code only" : taken;
    }
};

struct Impl {
    std::string name;
    std::function<void()> run;
};

double seconds(const std::function<void()>& fn)
{
    const auto a = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
}

double median(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Runs the library and every peer in turns (one run each per round, so a
// change in the machine's load touches all alike); reports medians.
void compare(benchmark::State& state, double megapixels, const std::function<void()>& ipl,
             const std::vector<Impl>& peers, int reps = 9)
{
    for (auto _ : state) {
        const PathCounts before;
        ipl();  // warm up caches and lazy set-up
        const std::string paths = before.takenSince();
        for (const Impl& p : peers)
            p.run();
        std::vector<double> own;
        std::vector<std::vector<double>> theirs(peers.size());
        // Each round runs them in a new random order: no implementation always
        // follows the same other one, whose leftovers (evicted caches, helper
        // threads still winding down) would otherwise fall on it alone.
        std::vector<size_t> order(peers.size() + 1);
        for (size_t k = 0; k < order.size(); ++k)
            order[k] = k;
        std::mt19937 shuffle(17);
        for (int i = 0; i < reps; ++i) {
            std::shuffle(order.begin(), order.end(), shuffle);
            for (size_t k : order) {
                if (k == 0)
                    own.push_back(seconds(ipl));
                else
                    theirs[k - 1].push_back(seconds(peers[k - 1].run));
            }
        }
        const double ownTime = median(own);
        char buf[128];
        std::snprintf(buf, sizeof buf, "ipl %.1f MP/s", megapixels / ownTime);
        std::string label = buf;
        double bestPeer = 0;
        std::string bestName;
        for (size_t k = 0; k < peers.size(); ++k) {
            const double t = median(theirs[k]);
            std::snprintf(buf, sizeof buf, "; %s %.1f MP/s", peers[k].name.c_str(), megapixels / t);
            label += buf;
            if (bestPeer == 0 || t < bestPeer) {
                bestPeer = t;
                bestName = peers[k].name;
            }
        }
        if (bestPeer > 0) {
            std::snprintf(buf, sizeof buf, "; ratio to fastest peer (%s) %.2f", bestName.c_str(), bestPeer / ownTime);
            label += buf;
        }
        label += "; paths: " + paths;
        state.SetIterationTime(ownTime);
        state.SetLabel(label);
        state.counters["MP/s"] = megapixels / ownTime;
    }
}

struct Img {
    IplImage* h = nullptr;
    Img(int ch, int alpha, int w, int hgt, const char* seq)
    {
        h = iplCreateImageHeader(ch, alpha, IPL_DEPTH_8U, "RGB", seq, IPL_DATA_ORDER_PIXEL, IPL_ORIGIN_TL, 4, w, hgt,
                                 nullptr, nullptr, nullptr, nullptr);
        iplAllocateImage(h, 0, 0);
        std::mt19937 rng(static_cast<unsigned>(w * 31 + hgt));
        for (int i = 0; i < h->imageSize; ++i)
            h->imageData[i] = static_cast<unsigned char>(rng());
    }
    ~Img() { iplDeallocate(h, IPL_IMAGE_ALL); }
    Img(const Img&) = delete;
    Img& operator=(const Img&) = delete;
#ifdef SPAB_BENCH_OPENCV
    cv::Mat mat() const { return cv::Mat(h->height, h->width, CV_8UC(h->nChannels), h->imageData, h->widthStep); }
#endif
#ifdef SPAB_BENCH_VIPS
    VipsImage* vips() const
    {
        return vips_image_new_from_memory(h->imageData, size_t(h->imageSize), h->width, h->height, h->nChannels,
                                          VIPS_FORMAT_UCHAR);
    }
#endif
};

#ifdef SPAB_BENCH_VIPS
// Runs a vips operation into memory (vips allocates the result).
void vipsRun(VipsImage* in, const std::function<int(VipsImage*, VipsImage**)>& op)
{
    VipsImage* out = nullptr;
    if (op(in, &out) == 0) {
        size_t size = 0;
        void* mem = vips_image_write_to_memory(out, &size);
        g_free(mem);
        g_object_unref(out);
    }
}
#endif

void resizeCase(benchmark::State& state, int ch, int sw, int sh, int dw, int dh, int xDst, int xSrc, int yDst,
                int ySrc, int interp, bool decimate)
{
    Img src(ch, ch == 4 ? 4 : 0, sw, sh, ch == 4 ? "BGRA" : "BGR");
    Img dst(ch, ch == 4 ? 4 : 0, dw, dh, ch == 4 ? "BGRA" : "BGR");
    std::vector<Impl> peers;
#ifdef SPAB_BENCH_OPENCV
    const int cvInterp = interp == IPL_INTER_NN ? cv::INTER_NEAREST
                         : interp == IPL_INTER_LINEAR ? cv::INTER_LINEAR
                         : interp == IPL_INTER_CUBIC ? cv::INTER_CUBIC
                                                     : cv::INTER_AREA;
    peers.push_back({"opencv", [&, cvInterp] {
                         cv::Mat out = dst.mat();
                         cv::resize(src.mat(), out, out.size(), 0, 0, cvInterp);
                     }});
#endif
#ifdef SPAB_BENCH_VIPS
    VipsImage* vin = src.vips();
    const VipsKernel k = interp == IPL_INTER_NN ? VIPS_KERNEL_NEAREST
                         : interp == IPL_INTER_LINEAR ? VIPS_KERNEL_LINEAR
                                                      : VIPS_KERNEL_CUBIC;
    peers.push_back({"vips", [&, vin, k] {
                         vipsRun(vin, [&](VipsImage* in, VipsImage** out) {
                             if (interp == IPL_INTER_SUPER)
                                 return vips_shrink(in, out, double(sw) / dw, double(sh) / dh, nullptr);
                             return vips_resize(in, out, double(dw) / sw, "vscale", double(dh) / sh, "kernel", k,
                                                nullptr);
                         });
                     }});
#endif
    const double mp = double(dw) * dh / 1e6;
    compare(state, mp,
            [&] {
                if (decimate)
                    iplDecimate(src.h, dst.h, xDst, xSrc, yDst, ySrc, interp);
                else
                    iplResize(src.h, dst.h, xDst, xSrc, yDst, ySrc, interp);
            },
            peers, decimate && sw >= 4000 ? 5 : 15);
#ifdef SPAB_BENCH_VIPS
    g_object_unref(vin);
#endif
}

void BM_DecimateCubicBGR_4000x3000_to_1024x768(benchmark::State& s) { resizeCase(s, 3, 4000, 3000, 1024, 768, 32, 125, 32, 125, IPL_INTER_CUBIC, true); }
void BM_DecimateCubicBGR_4000x3000_to_96x72(benchmark::State& s) { resizeCase(s, 3, 4000, 3000, 96, 72, 3, 125, 3, 125, IPL_INTER_CUBIC, true); }
void BM_DecimateLinearBGRA_2048x1536_to_1024x768(benchmark::State& s) { resizeCase(s, 4, 2048, 1536, 1024, 768, 1, 2, 1, 2, IPL_INTER_LINEAR, true); }
void BM_DecimateSuperBGRA_2048x1536_to_1024x768(benchmark::State& s) { resizeCase(s, 4, 2048, 1536, 1024, 768, 1, 2, 1, 2, IPL_INTER_SUPER, true); }
void BM_ResizeCubicBGRA_800x600_to_1024x1024(benchmark::State& s) { resizeCase(s, 4, 800, 600, 1024, 1024, 1024, 800, 1024, 600, IPL_INTER_CUBIC, false); }
void BM_ResizeLinearBGRA_800x600_to_1024x1024(benchmark::State& s) { resizeCase(s, 4, 800, 600, 1024, 1024, 1024, 800, 1024, 600, IPL_INTER_LINEAR, false); }
void BM_ResizeNearestBGRA_256_to_1024(benchmark::State& s) { resizeCase(s, 4, 256, 256, 1024, 1024, 4, 1, 4, 1, IPL_INTER_NN, false); }

void mirrorCase(benchmark::State& state, int axis)
{
    Img im(4, 4, 1024, 1024, "BGRA");
    Img copy(4, 4, 1024, 1024, "BGRA");
    std::vector<Impl> peers;
    peers.push_back({"memcpy", [&] { std::memcpy(copy.h->imageData, im.h->imageData, size_t(im.h->imageSize)); }});
#ifdef SPAB_BENCH_OPENCV
    peers.push_back({"opencv", [&, axis] {
                         cv::Mat m = im.mat();
                         cv::flip(m, m, axis);
                     }});
#endif
#ifdef SPAB_BENCH_VIPS
    VipsImage* vin = im.vips();
    peers.push_back({"vips", [&, vin, axis] {
                         vipsRun(vin, [axis](VipsImage* in, VipsImage** out) {
                             if (axis == -1) {
                                 VipsImage* t = nullptr;
                                 if (vips_rot(in, &t, VIPS_ANGLE_D180, nullptr))
                                     return -1;
                                 *out = t;
                                 return 0;
                             }
                             return vips_flip(in, out, axis == 0 ? VIPS_DIRECTION_VERTICAL : VIPS_DIRECTION_HORIZONTAL,
                                              nullptr);
                         });
                     }});
#endif
    im.h->alphaChannel = 0;  // all four channels move, as the picture loader does
    compare(state, 1024.0 * 1024 / 1e6, [&] { iplMirror(im.h, im.h, axis); }, peers, 31);
#ifdef SPAB_BENCH_VIPS
    g_object_unref(vin);
#endif
}

void BM_MirrorBGRA_1024_Axis0(benchmark::State& s) { mirrorCase(s, 0); }
void BM_MirrorBGRA_1024_Axis1(benchmark::State& s) { mirrorCase(s, 1); }
void BM_MirrorBGRA_1024_Both(benchmark::State& s) { mirrorCase(s, -1); }

void BM_ColorTwistBGRA_1024(benchmark::State& state)
{
    Img src(4, 4, 1024, 1024, "BGRA"), dst(4, 4, 1024, 1024, "BGRA");
    // A saturation change as the colour settings make it, exponent 24.
    const float f[12] = {0.8f, 0.1f, 0.1f, 0.f, 0.1f, 0.8f, 0.1f, 0.f, 0.1f, 0.1f, 0.8f, 0.f};
    int32_t data[16] = {};
    for (int i = 0; i < 12; ++i)
        data[i] = static_cast<int32_t>(f[i] * 16777216.0f);
    IplColorTwist* t = iplCreateColorTwist(data, 24);
    std::vector<Impl> peers;
#ifdef SPAB_BENCH_OPENCV
    cv::Mat m = (cv::Mat_<float>(4, 4) << f[0], f[1], f[2], 0, f[4], f[5], f[6], 0, f[8], f[9], f[10], 0, 0, 0, 0, 1);
    peers.push_back({"opencv", [&] {
                         cv::Mat out = dst.mat();
                         cv::transform(src.mat(), out, m);
                     }});
#endif
#ifdef SPAB_BENCH_VIPS
    VipsImage* vin = src.vips();
    VipsImage* mat = vips_image_new_matrix(4, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            *VIPS_MATRIX(mat, c, r) = r < 3 && c < 3 ? f[4 * r + c] : (r == c ? 1.0 : 0.0);
    peers.push_back({"vips", [&, vin, mat] {
                         vipsRun(vin, [mat](VipsImage* in, VipsImage** out) {
                             VipsImage* t1 = nullptr;
                             if (vips_recomb(in, &t1, mat, nullptr))
                                 return -1;
                             const int r = vips_cast_uchar(t1, out, nullptr);
                             g_object_unref(t1);
                             return r;
                         });
                     }});
#endif
    compare(state, 1024.0 * 1024 / 1e6, [&] { iplApplyColorTwist(src.h, dst.h, t, 0); }, peers, 15);
    iplDeleteColorTwist(t);
#ifdef SPAB_BENCH_VIPS
    g_object_unref(vin);
    g_object_unref(mat);
#endif
}

void BM_ContrastStretchBGRA_1024(benchmark::State& state)
{
    Img src(4, 4, 1024, 1024, "BGRA"), dst(4, 4, 1024, 1024, "BGRA");
    // The tone tables as the picture builds them: 257 keys, a curve on the
    // colours and the identity on the alpha channel.
    std::vector<int32_t> keys(257), curve(257), identity(257);
    std::vector<uint8_t> table(256);
    for (int i = 0; i <= 256; ++i) {
        keys[i] = i;
        const int v = std::min(255, static_cast<int>(255.0 * std::sqrt(i / 255.0)));
        curve[i] = v;
        identity[i] = std::min(i, 255);
        if (i < 256)
            table[i] = static_cast<uint8_t>(v);
    }
    IplLUT tone{257, keys.data(), curve.data(), nullptr, 0};
    IplLUT same{257, keys.data(), identity.data(), nullptr, 0};
    IplLUT* luts[4] = {&tone, &tone, &tone, &same};
    std::vector<Impl> peers;
    std::vector<uint8_t> table4(256 * 4);
    for (int i = 0; i < 256; ++i) {
        table4[4 * i] = table4[4 * i + 1] = table4[4 * i + 2] = table[i];
        table4[4 * i + 3] = static_cast<uint8_t>(i);
    }
#ifdef SPAB_BENCH_OPENCV
    cv::Mat lut4(1, 256, CV_8UC4, table4.data());
    peers.push_back({"opencv", [&] {
                         cv::Mat out = dst.mat();
                         cv::LUT(src.mat(), lut4, out);
                     }});
#endif
#ifdef SPAB_BENCH_VIPS
    VipsImage* vin = src.vips();
    std::vector<uint8_t> vt = table4;
    VipsImage* vlut = vips_image_new_from_memory(vt.data(), vt.size(), 256, 1, 4, VIPS_FORMAT_UCHAR);
    peers.push_back({"vips", [&, vin, vlut] {
                         vipsRun(vin, [vlut](VipsImage* in, VipsImage** out) { return vips_maplut(in, out, vlut, nullptr); });
                     }});
#endif
    compare(state, 1024.0 * 1024 / 1e6, [&] { iplContrastStretch(src.h, dst.h, luts); }, peers, 15);
#ifdef SPAB_BENCH_VIPS
    g_object_unref(vin);
    g_object_unref(vlut);
#endif
}

void BM_PreMultiplyAlpha_1000x96x96(benchmark::State& state)
{
    std::vector<Img*> images;
    for (int i = 0; i < 1000; ++i)
        images.push_back(new Img(4, 4, 96, 96, "BGRA"));
    std::vector<Impl> peers;
#ifdef SPAB_BENCH_OPENCV
    std::vector<cv::Mat> out(1000, cv::Mat(96, 96, CV_8UC4));
    peers.push_back({"opencv", [&] {
                         for (size_t i = 0; i < images.size(); ++i) {
                             cv::Mat m = images[i]->mat();
                             cv::Mat a;
                             cv::extractChannel(m, a, 3);
                             cv::Mat a4;
                             cv::Mat planes[] = {a, a, a, cv::Mat(96, 96, CV_8U, cv::Scalar(255))};
                             cv::merge(planes, 4, a4);
                             cv::multiply(m, a4, out[i], 1.0 / 255);
                         }
                     }});
#endif
#ifdef SPAB_BENCH_VIPS
    std::vector<VipsImage*> vins;
    for (Img* im : images)
        vins.push_back(im->vips());
    peers.push_back({"vips", [&] {
                         for (VipsImage* v : vins)
                             vipsRun(v, [](VipsImage* in, VipsImage** out) { return vips_premultiply(in, out, nullptr); });
                     }});
#endif
    compare(state, 1000 * 96.0 * 96 / 1e6,
            [&] {
                for (Img* im : images)
                    iplPreMultiplyAlpha(im->h, -1);
            },
            peers, 5);
#ifdef SPAB_BENCH_VIPS
    for (VipsImage* v : vins)
        g_object_unref(v);
#endif
    for (Img* im : images)
        delete im;
}

} // namespace

BENCHMARK(BM_DecimateCubicBGR_4000x3000_to_1024x768)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecimateCubicBGR_4000x3000_to_96x72)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecimateLinearBGRA_2048x1536_to_1024x768)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecimateSuperBGRA_2048x1536_to_1024x768)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeCubicBGRA_800x600_to_1024x1024)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeLinearBGRA_800x600_to_1024x1024)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeNearestBGRA_256_to_1024)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorBGRA_1024_Axis0)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorBGRA_1024_Axis1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorBGRA_1024_Both)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorTwistBGRA_1024)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContrastStretchBGRA_1024)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreMultiplyAlpha_1000x96x96)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
#ifdef SPAB_BENCH_OPENCV
    cv::setNumThreads(1);
#endif
#ifdef SPAB_BENCH_VIPS
    setenv("VIPS_CONCURRENCY", "1", 1);
    if (VIPS_INIT(argv[0]))
        return 1;
    vips_concurrency_set(1);
    vips_cache_set_max(0);
#endif
    benchmark::AddCustomContext("processor", processorModel());
    benchmark::AddCustomContext("vector_features", vectorFeatures());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

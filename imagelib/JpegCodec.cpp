#include "imagelib/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include "imagelib/ImgWarning.h"
#include "imagelib/RowReducer.h"

namespace img {

namespace {

constexpr size_t kBufferSize = 65536;
// Rows asked of libjpeg at once when it writes into the raster itself.
constexpr int32_t kDirectRows = 16;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

std::string MessageOf(j_common_ptr cinfo) {
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    return text;
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    ImgWarning(MessageOf(cinfo));
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Notes on how the file was written (a newer JFIF revision, an Adobe
// transform code libjpeg does not know), not on damage to its data: such a
// picture is read whole.
bool IsFormatNote(int code) { return code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM; }

// Counted as libjpeg's own handler counts them; only the first is written:
// a damaged stream can warn at every block.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0 || IsFormatNote(cinfo->err->msg_code)) return;
    if (cinfo->err->num_warnings == 0) ImgWarning(MessageOf(cinfo));
    ++cinfo->err->num_warnings;
}

void InstallErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.base);
    err.base.error_exit = ErrorExit;
    err.base.emit_message = EmitMessage;
}

}  // namespace

// ---- reading -----------------------------------------------------------------

struct JpegDecoder::State {
    jpeg_source_mgr source;  // first member: libjpeg hands back this pointer
    ErrorManager err;
    jpeg_decompress_struct cinfo;
    ByteSource* bytes = nullptr;
    uint64_t position = 0;
    bool hasKey = false;
    KeyStream key{0};
    bool truncated = false;
    bool created = false;
    bool headerRead = false;
    // Decoding buffers live here, not in Decode's frame: a long jump must not
    // leave a local object half-changed.
    std::vector<uint8_t> row;
    std::vector<uint8_t> bgra;
    std::unique_ptr<RowReducer> reducer;
    uint8_t buffer[kBufferSize];
};

namespace {

JpegDecoder::State* StateOf(j_decompress_ptr cinfo) {
    return reinterpret_cast<JpegDecoder::State*>(cinfo->src);
}

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    JpegDecoder::State* s = StateOf(cinfo);
    size_t got = s->bytes->ReadAt(s->position, s->buffer, kBufferSize);
    if (got == 0) {
        // A truncated stream: end it with an end-of-image marker so libjpeg
        // stops cleanly, and remember to fail the call.
        s->truncated = true;
        s->buffer[0] = 0xFF;
        s->buffer[1] = JPEG_EOI;
        got = 2;
    } else {
        s->position += got;
        if (s->hasKey) s->key.Apply(s->buffer, got);
    }
    s->source.next_input_byte = s->buffer;
    s->source.bytes_in_buffer = got;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    JpegDecoder::State* s = StateOf(cinfo);
    // Skipped bytes go through the buffer so the key stream stays in step.
    while (count > 0) {
        if (s->source.bytes_in_buffer == 0) FillInputBuffer(cinfo);
        size_t step = std::min<size_t>(static_cast<size_t>(count), s->source.bytes_in_buffer);
        s->source.next_input_byte += step;
        s->source.bytes_in_buffer -= step;
        count -= static_cast<long>(step);
        if (s->truncated) return;
    }
}

void TermSource(j_decompress_ptr) {}

// One output row of libjpeg (grey, RGB or inverted CMYK) as BGRA.
void ToBgra(const uint8_t* in, int components, bool adobeInverted, int32_t width, uint8_t* out) {
    for (int32_t x = 0; x < width; ++x, out += 4) {
        if (components == 1) {
            out[0] = out[1] = out[2] = in[x];
        } else if (components == 3) {
            const uint8_t* p = in + 3 * x;
            out[0] = p[2];
            out[1] = p[1];
            out[2] = p[0];
        } else {
            const uint8_t* p = in + 4 * x;
            unsigned c = p[0], m = p[1], y = p[2], k = p[3];
            if (!adobeInverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            // Inverted CMYK: each stored value is 255 - ink.
            out[0] = static_cast<uint8_t>((y * k + 127) / 255);
            out[1] = static_cast<uint8_t>((m * k + 127) / 255);
            out[2] = static_cast<uint8_t>((c * k + 127) / 255);
        }
        out[3] = 255;
    }
}

// The end of a decode: a stream that stopped short fails it.
bool FinishDecode(JpegDecoder::State& s) {
    jpeg_decompress_struct& c = s.cinfo;
    if (s.truncated || c.output_scanline < c.output_height) {
        ImgWarning("JPEG data ends before the picture does");
        jpeg_abort_decompress(&c);
        return false;
    }
    jpeg_finish_decompress(&c);
    return true;
}

}  // namespace

JpegDecoder::JpegDecoder(ByteSource& source, uint64_t offset, const KeyStream* key) : state_(new State) {
    State& s = *state_;
    s.bytes = &source;
    s.position = offset;
    if (key) {
        s.hasKey = true;
        s.key = *key;
    }
    s.source.init_source = InitSource;
    s.source.fill_input_buffer = FillInputBuffer;
    s.source.skip_input_data = SkipInputData;
    s.source.resync_to_restart = jpeg_resync_to_restart;
    s.source.term_source = TermSource;
    s.source.next_input_byte = nullptr;
    s.source.bytes_in_buffer = 0;
    InstallErrorManager(s.err);
    s.cinfo.err = &s.err.base;
}

JpegDecoder::~JpegDecoder() {
    if (state_->created) jpeg_destroy_decompress(&state_->cinfo);
}

bool JpegDecoder::Complained() const { return state_->err.base.num_warnings > 0; }

bool JpegDecoder::Probe(ByteSource& source) {
    uint8_t m[3];
    return source.ReadAt(0, m, 3) == 3 && m[0] == 0xFF && m[1] == 0xD8 && m[2] == 0xFF;
}

bool JpegDecoder::ReadInfo(ImageInfo& info) {
    State& s = *state_;
    if (s.headerRead) return false;
    if (setjmp(s.err.jump)) return false;
    jpeg_create_decompress(&s.cinfo);
    s.created = true;
    s.cinfo.src = &s.source;
    if (jpeg_read_header(&s.cinfo, TRUE) != JPEG_HEADER_OK || s.truncated) return false;
    if (!IsValidSide(s.cinfo.image_width) || !IsValidSide(s.cinfo.image_height)) return false;
    s.headerRead = true;
    info.width = static_cast<int32_t>(s.cinfo.image_width);
    info.height = static_cast<int32_t>(s.cinfo.image_height);
    info.hasAlpha = false;
    return true;
}

bool JpegDecoder::Decode(const Raster& target, int32_t reduction) {
    State& s = *state_;
    if (!s.headerRead || reduction < 1 || (reduction & (reduction - 1)) != 0) return false;
    s.headerRead = false;  // one decode per header
    const int32_t scale = reduction < 8 ? reduction : 8;
    if (setjmp(s.err.jump)) return false;

    jpeg_decompress_struct& c = s.cinfo;
    c.scale_num = 1;
    c.scale_denom = static_cast<unsigned>(scale);
    bool adobeInverted = false;
    if (c.jpeg_color_space == JCS_GRAYSCALE) {
        c.out_color_space = JCS_GRAYSCALE;
    } else if (c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK) {
        c.out_color_space = JCS_CMYK;
        adobeInverted = c.saw_Adobe_marker != 0;
    } else {
        c.out_color_space = JCS_RGB;
    }
    jpeg_calc_output_dimensions(&c);
    const int32_t outW = static_cast<int32_t>(c.output_width);
    const int32_t outH = static_cast<int32_t>(c.output_height);
    const int32_t further = reduction / scale;
    if (ReducedSide(outW, further) != target.width || ReducedSide(outH, further) != target.height) {
        jpeg_abort_decompress(&c);
        return false;
    }
#ifdef JCS_EXTENSIONS
    // Grey and colour pictures at the scale libjpeg gives come out in the
    // raster's own channel order, straight into its rows: the codec's colour
    // conversion with its channels placed as the raster has them, the same
    // bytes the conversion to RGB gives, turned round.
    if (further == 1 && c.out_color_space != JCS_CMYK) {
        c.out_color_space = target.channels == 4 ? JCS_EXT_BGRA : JCS_EXT_BGR;
        jpeg_start_decompress(&c);
        JSAMPROW rows[kDirectRows];
        while (c.output_scanline < c.output_height && !s.truncated) {
            const int32_t y = static_cast<int32_t>(c.output_scanline);
            const int32_t count = std::min<int32_t>(kDirectRows, outH - y);
            for (int32_t k = 0; k < count; ++k) rows[k] = target.Row(y + k);
            if (jpeg_read_scanlines(&c, rows, static_cast<JDIMENSION>(count)) == 0) break;
        }
        return FinishDecode(s);
    }
#endif
    jpeg_start_decompress(&c);
    s.row.resize(static_cast<size_t>(outW) * static_cast<size_t>(c.output_components));
    s.bgra.resize(static_cast<size_t>(outW) * 4);
    s.reducer.reset(new RowReducer(target, outW, outH, further));
    while (c.output_scanline < c.output_height && !s.truncated) {
        int32_t y = static_cast<int32_t>(c.output_scanline);
        JSAMPROW rows[1] = {s.row.data()};
        if (jpeg_read_scanlines(&c, rows, 1) != 1) break;
        ToBgra(s.row.data(), c.output_components, adobeInverted, outW, s.bgra.data());
        s.reducer->PutRow(y, s.bgra.data());
    }
    s.reducer->Finish();
    return FinishDecode(s);
}


// ---- writing -----------------------------------------------------------------

namespace {

struct Destination {
    jpeg_destination_mgr base;  // first member
    ByteSink* sink;
    uint8_t buffer[kBufferSize];
};

void InitDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    d->base.next_output_byte = d->buffer;
    d->base.free_in_buffer = kBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    if (!d->sink->Write(d->buffer, kBufferSize)) ERREXIT(cinfo, JERR_FILE_WRITE);
    d->base.next_output_byte = d->buffer;
    d->base.free_in_buffer = kBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    size_t used = kBufferSize - d->base.free_in_buffer;
    if (used > 0 && !d->sink->Write(d->buffer, used)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

// Everything the encoder keeps across setjmp, so no destructor is skipped.
struct Encoder {
    ErrorManager err;
    jpeg_compress_struct cinfo;
    Destination dest;
    bool created = false;
    bool grey = false;
    ~Encoder() {
        if (created) jpeg_destroy_compress(&cinfo);
    }
};

}  // namespace

bool EncodeJpeg(const Raster& source, JpegContent content, int32_t quality, ByteSink& sink) {
    if (quality < 1 || quality > 100 || !IsValidSide(source.width) || !IsValidSide(source.height)) return false;
    if (source.channels != 3 && source.channels != 4) return false;
    if (content == JpegContent::Alpha && source.channels != 4) return false;
    std::unique_ptr<Encoder> e(new Encoder);
    e->grey = content == JpegContent::Alpha;
#ifdef JCS_EXTENSIONS
    // Colour is read from the raster's rows as they are, in their own
    // channel order: the same conversion, the same bytes.
    const bool direct = !e->grey;
#else
    const bool direct = false;
#endif
    std::vector<uint8_t> row(direct ? 0 : static_cast<size_t>(source.width) * (e->grey ? 1 : 3));
    if (setjmp(e->err.jump)) return false;

    InstallErrorManager(e->err);
    e->cinfo.err = &e->err.base;
    jpeg_create_compress(&e->cinfo);
    e->created = true;
    e->dest.sink = &sink;
    e->dest.base.init_destination = InitDestination;
    e->dest.base.empty_output_buffer = EmptyOutputBuffer;
    e->dest.base.term_destination = TermDestination;
    jpeg_compress_struct& c = e->cinfo;
    c.dest = &e->dest.base;
    c.image_width = static_cast<JDIMENSION>(source.width);
    c.image_height = static_cast<JDIMENSION>(source.height);
    c.input_components = e->grey ? 1 : 3;
    c.in_color_space = e->grey ? JCS_GRAYSCALE : JCS_RGB;
#ifdef JCS_EXTENSIONS
    if (direct) {
        c.input_components = source.channels;
        c.in_color_space = source.channels == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    }
#endif
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (direct && c.next_scanline < c.image_height) {
        JSAMPROW rows[kDirectRows];
        const int32_t y = static_cast<int32_t>(c.next_scanline);
        const int32_t count = std::min<int32_t>(kDirectRows, source.height - y);
        for (int32_t k = 0; k < count; ++k) rows[k] = source.Row(y + k);
        jpeg_write_scanlines(&c, rows, static_cast<JDIMENSION>(count));
    }
    while (c.next_scanline < c.image_height) {
        const uint8_t* p = source.Row(static_cast<int32_t>(c.next_scanline));
        for (int32_t x = 0; x < source.width; ++x, p += source.channels) {
            if (e->grey) {
                row[static_cast<size_t>(x)] = p[3];
            } else {
                row[3 * static_cast<size_t>(x)] = p[2];
                row[3 * static_cast<size_t>(x) + 1] = p[1];
                row[3 * static_cast<size_t>(x) + 2] = p[0];
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    return true;
}

}  // namespace img

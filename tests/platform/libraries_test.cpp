#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <tinyxml.h>
extern "C" {
#include <jpeglib.h>
}
#include <tiffio.h>

namespace {

TEST(TinyXml, ParsesAndWritesAttributes) {
    TiXmlDocument doc;
    doc.Parse("<sposalbo width=\"300\"><pagina/></sposalbo>");
    ASSERT_FALSE(doc.Error());
    TiXmlElement* root = doc.RootElement();
    ASSERT_NE(root, nullptr);
    int width = 0;
    EXPECT_EQ(root->QueryIntAttribute("width", &width), TIXML_SUCCESS);
    EXPECT_EQ(width, 300);
    EXPECT_STREQ(root->FirstChildElement()->Value(), "pagina");
}

TEST(LibJpeg, RoundTripsAGreyImageThroughAFile) {
    const char* path = "smoke.jpg";
    const int w = 16, h = 8;
    {
        FILE* f = std::fopen(path, "wb");
        ASSERT_NE(f, nullptr);
        jpeg_compress_struct c;
        jpeg_error_mgr err;
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        jpeg_stdio_dest(&c, f);
        c.image_width = w;
        c.image_height = h;
        c.input_components = 3;
        c.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 95, TRUE);
        jpeg_start_compress(&c, TRUE);
        std::vector<JSAMPLE> row(w * 3, 128);
        while (c.next_scanline < c.image_height) {
            JSAMPROW r = row.data();
            jpeg_write_scanlines(&c, &r, 1);
        }
        jpeg_finish_compress(&c);
        jpeg_destroy_compress(&c);
        std::fclose(f);
    }
    FILE* f = std::fopen(path, "rb");
    ASSERT_NE(f, nullptr);
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&d);
    EXPECT_EQ(d.output_width, JDIMENSION(w));
    std::vector<JSAMPLE> row(d.output_width * d.output_components);
    JSAMPROW r = row.data();
    while (d.output_scanline < d.output_height) jpeg_read_scanlines(&d, &r, 1);
    EXPECT_NEAR(row[0], 128, 2);
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    std::remove(path);
}

TEST(LibTiff, RoundTripsScanlines) {
    const char* path = "smoke.tif";
    TIFF* out = TIFFOpen(path, "w");
    ASSERT_NE(out, nullptr);
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, 4);
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, 2);
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(out, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    unsigned char row[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ASSERT_EQ(TIFFWriteScanline(out, row, 0, 0), 1);
    ASSERT_EQ(TIFFWriteScanline(out, row, 1, 0), 1);
    TIFFClose(out);

    TIFF* in = TIFFOpen(path, "r");
    ASSERT_NE(in, nullptr);
    uint32_t width = 0;
    TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width);
    EXPECT_EQ(width, 4u);
    unsigned char back[12] = {};
    ASSERT_EQ(TIFFReadScanline(in, back, 1, 0), 1);
    EXPECT_EQ(back[11], 12);
    TIFFClose(in);
    std::remove(path);
}

}  // namespace

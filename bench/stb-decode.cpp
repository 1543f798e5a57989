// The reference of bench/sheet-load.sh: stb_image decoding a BMP file into
// memory, through the process, as nimbrel-render --drop does with its sheet.
// It prints the bottom-right pixel so that the decode cannot be left out.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: stb-decode FILE.bmp\n");
        return 2;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load(argv[1], &width, &height, &channels, 0);
    if (!pixels) {
        std::fprintf(stderr, "stb-decode: %s\n", stbi_failure_reason());
        return 1;
    }
    const unsigned char* last = pixels + (std::size_t(width) * height - 1) * channels;
    std::printf("%d %d %d %u\n", width, height, channels, unsigned(last[0]));
    stbi_image_free(pixels);
    return 0;
}
